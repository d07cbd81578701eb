#include "storage/search_result.h"

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
  listPart_ = 0;  // nothing of the last list's part is kept
  char* out = Reserve(name.size() + 3);
  *out++ = '[';
  out = Copy(out, name);
  std::memcpy(out, "] ", 2);
  listPart_ = name.size() + 3;
  size_ = 0;
}

char* ResultLine::Reserve(std::size_t bytes) {
  if (bytes + 1 > capacity_) Grow(bytes + 1);
  return buffer_.get() + listPart_;
}

void ResultLine::Grow(std::size_t capacity) {
  if (capacity < 2 * capacity_) capacity = 2 * capacity_;
  std::unique_ptr<char[]> grown(new char[capacity]);
  if (capacity_ > 0) std::memcpy(grown.get(), buffer_.get(), listPart_);
  buffer_ = std::move(grown);
  capacity_ = capacity;
}

char* ResultLine::PutHead(char* out, std::string_view doneFlag) {
  const bool open = doneFlag.size() == 1 && doneFlag[0] == '0';
  std::memcpy(out, open ? kOpenMark.data() : kDoneMark.data(), kMarkBytes);
  std::memcpy(out + kMarkBytes, kDueLabel.data(), kDueLabel.size());
  return out + kHeadBytes;
}

void ResultLine::Put(const std::string_view fields[kTabbedSeparators], std::string_view text) {
  size_ = listPart_ + kFieldBytes + fields[1].size() + fields[2].size() + fields[3].size() +
          text.size();
  char* out = PutHead(Reserve(size_), fields[0]);
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
  size_ = listPart_ + kHeadBytes + dateAndText.size();
  char* out = PutHead(Reserve(size_), std::string_view(line.data(), separators[0]));
  std::memcpy(out, dateAndText.data(), dateAndText.size());
  out[separators[1] - separators[0] - 1] = '/';
  out[separators[2] - separators[0] - 1] = '/';
  out[separators[3] - separators[0] - 1] = ' ';
  out[dateAndText.size()] = '\0';
}

}  // namespace storage
