#include "storage/search_line.h"

#include <climits>
#include <cstring>
#include <utility>

#include "storage/find_separator.h"
#include "storage/list_file_format.h"

namespace storage {

namespace {

constexpr std::string_view kOpenMark = "(未)";
constexpr std::string_view kDoneMark = "(済)";
constexpr std::string_view kDueLabel = " 期限：";
constexpr std::size_t kMarkBytes = 4;
static_assert(kOpenMark.size() == kMarkBytes && kDoneMark.size() == kMarkBytes, "marks");
// "[", "] ", the mark, the label, two slashes and the space before the text.
constexpr std::size_t kFixedResultBytes = 1 + 2 + kMarkBytes + kDueLabel.size() + 2 + 1;

bool IsLead(char byte) {
  return IsLeadByteByValue(static_cast<unsigned char>(byte));
}

// Whether at starts a character of line. The byte before a run of lead-range bytes always
// ends a character (as a byte of its own or as a trail byte), so only the length of the run
// just before at counts: pairs of bytes from its start.
bool IsCharacterStart(std::string_view line, std::size_t at) {
  std::size_t run = 0;
  while (run < at && IsLead(line[at - 1 - run])) ++run;
  return run % 2 == 0;
}

// Takes the part of *rest before its first tab off the front, with the tab. With no tab left
// the field is empty and *rest stays as it is.
std::string_view TakeField(std::string_view* rest) {
  const std::size_t tab = rest->find('\t');
  if (tab == std::string_view::npos) return std::string_view();
  const std::string_view field = rest->substr(0, tab);
  rest->remove_prefix(tab + 1);
  return field;
}

}  // namespace

LineSearch::LineSearch(std::vector<std::string> words) : words_(std::move(words)) {
  for (const std::string& word : words_) {
    if (word.find_first_of(",\t") != std::string::npos) testsTabbed_ = true;
    if (word.empty()) needsEveryLine_ = true;
  }
  needsEveryLine_ = needsEveryLine_ || testsTabbed_;
}

bool LineSearch::Test(std::string_view line, bool firstLine, std::size_t knownAt,
                      std::size_t knownLength) {
  // The line is text up to a zero byte, as the result line that shows it.
  if (const void* zero = std::memchr(line.data(), '\0', line.size())) {
    line = line.substr(0, static_cast<std::size_t>(static_cast<const char*>(zero) - line.data()));
  }
  if (line.empty() || (firstLine && line == kNoDateMarker)) return false;

  // The first four separators; each is looked for after the one before.
  std::size_t separators[kTabbedSeparators];
  int count = 0;
  const int length = static_cast<int>(line.size() < INT_MAX ? line.size() : INT_MAX);
  for (int from = 0; count < kTabbedSeparators; ++count) {
    const int found = FindSeparator(line.data() + from, length - from, ',');
    if (found < 0) break;
    separators[count] = static_cast<std::size_t>(from + found);
    from += found + 1;
  }
  // Tabs of its own split the line's fields as well: then the line is taken with its tabs.
  const bool ownTabs = line.find('\t') != std::string_view::npos;
  if (ownTabs || testsTabbed_) {
    tabbed_.assign(line.data(), line.size());
    for (int i = 0; i < count; ++i) tabbed_[separators[i]] = '\t';
  }

  // Separators made tabs change neither where a word without commas and tabs occurs nor
  // where characters start.
  const bool knownMatch = !testsTabbed_ && knownAt != kNowhere &&
                          knownAt + knownLength <= line.size() && IsCharacterStart(line, knownAt);
  if (!knownMatch && !Matches(testsTabbed_ ? std::string_view(tabbed_) : line)) return false;
  if (ownTabs) {
    MakeResultFromTabs();
  } else {
    MakeResult(line, separators, count);
  }
  return true;
}

bool LineSearch::Matches(std::string_view line) const {
  for (const std::string& word : words_) {
    // The character starts up to each place the word occurs, walked once per word.
    std::size_t character = 0;
    for (std::size_t at = line.find(word); at != std::string_view::npos;
         at = line.find(word, at + 1)) {
      while (character < at) character += IsLead(line[character]) ? 2 : 1;
      if (character == at) return true;
    }
  }
  return false;
}

void LineSearch::MakeResult(std::string_view line, const std::size_t* separators, int count) {
  // The fields before the separators found; the missing ones are empty, and the text is what
  // follows the last separator found.
  std::string_view fields[kTabbedSeparators];
  std::size_t start = 0;
  for (int i = 0; i < count; ++i) {
    fields[i] = line.substr(start, separators[i] - start);
    start = separators[i] + 1;
  }
  PutResult(fields, line.substr(start));
}

void LineSearch::MakeResultFromTabs() {
  std::string_view rest = tabbed_;
  std::string_view fields[kTabbedSeparators];
  for (std::string_view& field : fields) field = TakeField(&rest);
  PutResult(fields, rest);
}

void LineSearch::PutResult(const std::string_view* fields, std::string_view text) {
  // "[%s] %s 期限：%s/%s/%s %s", put together by hand: this runs for every matching item, and
  // the fixed parts are copied with their sizes known.
  const std::string_view mark = fields[0] == "0" ? kOpenMark : kDoneMark;
  result_.resize(listName_.size() + fields[1].size() + fields[2].size() + fields[3].size() +
                 text.size() + kFixedResultBytes);
  char* out = &result_[0];
  const auto put = [&out](std::string_view part) {
    if (!part.empty()) std::memcpy(out, part.data(), part.size());  // may have no bytes at all
    out += part.size();
  };
  *out++ = '[';
  put(listName_);
  std::memcpy(out, "] ", 2);
  std::memcpy(out + 2, mark.data(), kMarkBytes);
  std::memcpy(out + 2 + kMarkBytes, kDueLabel.data(), kDueLabel.size());
  out += 2 + kMarkBytes + kDueLabel.size();
  put(fields[1]);
  *out++ = '/';
  put(fields[2]);
  *out++ = '/';
  put(fields[3]);
  *out++ = ' ';
  put(text);
}

}  // namespace storage
