#include "storage/search/search_line.h"

#include <cstring>
#include <utility>

#include "storage/find_separator.h"
#include "storage/list_file_format.h"

namespace storage {

namespace {

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

LineSearch::LineSearch(std::vector<std::string> words) : m_words(std::move(words)) {
  for (const std::string& word : m_words) {
    if (word.find_first_of(",\t") != std::string::npos) m_testsTabbed = true;
    if (word.empty()) m_needsEveryLine = true;
  }
  m_needsEveryLine = m_needsEveryLine || m_testsTabbed;
}

bool LineSearch::Test(std::string_view line, bool firstLine, bool plain, std::size_t knownAt,
                      std::size_t knownLength) {
  // The line is text up to a zero byte, as the result line that shows it.
  if (!plain) {
    if (const void* zero = std::memchr(line.data(), '\0', line.size())) {
      line = line.substr(0, static_cast<std::size_t>(static_cast<const char*>(zero) - line.data()));
    }
  }
  if (line.empty() || (firstLine && line == kNoDateMarker)) return false;

  // The first four separators; each is looked for after the one before.
  std::size_t separators[kTabbedSeparators];
  const int count = FindFieldSeparators(line, separators);
  // Tabs of its own split the line's fields as well: then the line is taken with its tabs.
  const bool ownTabs = !plain && line.find('\t') != std::string_view::npos;
  if (ownTabs || m_testsTabbed) {
    m_tabbed.assign(line.data(), line.size());
    for (int i = 0; i < count; ++i) m_tabbed[separators[i]] = '\t';
  }

  // Separators made tabs change neither where a word without commas and tabs occurs nor
  // where characters start.
  const bool knownMatch = !m_testsTabbed && knownAt != kNowhere &&
                          knownAt + knownLength <= line.size() && IsCharacterStart(line, knownAt);
  if (!knownMatch && !Matches(m_testsTabbed ? std::string_view(m_tabbed) : line)) return false;
  if (ownTabs) {
    MakeResultFromTabs();
  } else if (count == kTabbedSeparators) {
    m_result.PutRecord(line, separators);
  } else {
    MakeResult(line, separators, count);
  }
  return true;
}

bool LineSearch::Matches(std::string_view line) const {
  for (const std::string& word : m_words) {
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
  m_result.Put(fields, line.substr(start));
}

void LineSearch::MakeResultFromTabs() {
  std::string_view rest = m_tabbed;
  std::string_view fields[kTabbedSeparators];
  for (std::string_view& field : fields) field = TakeField(&rest);
  m_result.Put(fields, rest);
}

}  // namespace storage
