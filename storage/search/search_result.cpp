#include "storage/search/search_result.h"

#include <cstring>
#include <utility>

namespace storage {

namespace {

constexpr std::string_view kOpenMark = "(未)";
constexpr std::string_view kDoneMark = "(済)";
constexpr std::string_view kDueLabel = " 期限：";
constexpr std::size_t kMarkBytes = 4;
static_assert(kOpenMark.size() == kMarkBytes && kDoneMark.size() == kMarkBytes, "marks");
// The mark and the label, the two slashes and the space before the text.
constexpr std::size_t kHeadBytes = kMarkBytes + kDueLabel.size();
constexpr std::size_t kFieldBytes = kHeadBytes + 2 + 1;

// Copies part to out; returns the end of the copy.
char* Copy(char* out, std::string_view part) {
  if (!part.empty()) std::memcpy(out, part.data(), part.size());  // data may be null then
  return out + part.size();
}

}  // namespace

void ResultLine::SetListName(std::string_view name) {
  m_listPart = 0;  // nothing of the last list's part is kept
  char* out = Reserve(name.size() + 3);
  *out++ = '[';
  out = Copy(out, name);
  std::memcpy(out, "] ", 2);
  m_listPart = name.size() + 3;
  m_size = 0;
}

char* ResultLine::Reserve(std::size_t bytes) {
  if (bytes + 1 > m_capacity) Grow(bytes + 1);
  return m_buffer.get() + m_listPart;
}

void ResultLine::Grow(std::size_t capacity) {
  if (capacity < 2 * m_capacity) capacity = 2 * m_capacity;
  std::unique_ptr<char[]> grown(new char[capacity]);
  if (m_capacity > 0) std::memcpy(grown.get(), m_buffer.get(), m_listPart);
  m_buffer = std::move(grown);
  m_capacity = capacity;
}

char* ResultLine::PutHead(char* out, std::string_view doneFlag) {
  const bool open = doneFlag.size() == 1 && doneFlag[0] == '0';
  std::memcpy(out, open ? kOpenMark.data() : kDoneMark.data(), kMarkBytes);
  std::memcpy(out + kMarkBytes, kDueLabel.data(), kDueLabel.size());
  return out + kHeadBytes;
}

void ResultLine::Put(const std::string_view fields[kTabbedSeparators], std::string_view text) {
  m_size = m_listPart + kFieldBytes + fields[1].size() + fields[2].size() + fields[3].size() +
           text.size();
  char* out = PutHead(Reserve(m_size), fields[0]);
  out = Copy(out, fields[1]);
  *out++ = '/';
  out = Copy(out, fields[2]);
  *out++ = '/';
  out = Copy(out, fields[3]);
  *out++ = ' ';
  out = Copy(out, text);
  *out = '\0';
}

void ResultLine::PutRecord(std::string_view line, const std::size_t separators[kTabbedSeparators]) {
  // Year, month, day and text lie in the line in that order: copy them in one piece and make
  // the three separators between them the slashes and the space of the result.
  const std::string_view dateAndText(line.data() + separators[0] + 1,
                                     line.size() - separators[0] - 1);
  m_size = m_listPart + kHeadBytes + dateAndText.size();
  char* out = PutHead(Reserve(m_size), std::string_view(line.data(), separators[0]));
  std::memcpy(out, dateAndText.data(), dateAndText.size());
  out[separators[1] - separators[0] - 1] = '/';
  out[separators[2] - separators[0] - 1] = '/';
  out[separators[3] - separators[0] - 1] = ' ';
  out[dateAndText.size()] = '\0';
}

}  // namespace storage
