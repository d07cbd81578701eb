#pragma once
// One line of a list file as the search sees it: whether it matches the words, and the result
// line it gives. Part of the search (search.h); the folder walk and the fast scan call it for
// every line that may match. One thread at a time; no allocation once its buffers have grown
// to the longest line.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "storage/search/search_layout.h"
#include "storage/search/search_result.h"

namespace storage {

class LineSearch {
 public:
  explicit LineSearch(std::vector<std::string> words);

  const std::vector<std::string>& words() const { return m_words; }

  // True when a line can match although none of the words occurs in its bytes as read: a
  // word is empty, or holds a comma or a tab (the first four separators become tabs before
  // the test). Then every line must be tested; otherwise only lines holding a word.
  bool NeedsEveryLine() const { return m_needsEveryLine; }

  // The list name that results start with, until the next call.
  void SetListName(std::string_view name) { m_result.SetListName(name); }

  // Tests one line (without its line end; it ends at its first zero byte). firstLine tells
  // whether it is the first line of its file; plain, that it is known to hold neither a zero
  // byte nor a tab (false when not known). A word that is known to occur in the line's bytes
  // at knownAt, knownLength bytes long, is tested there first (only when no word holds a
  // comma or a tab); pass kNowhere when none is known. Returns true when the line matches;
  // result() is then the result line until the next call.
  static constexpr std::size_t kNowhere = std::string_view::npos;
  bool Test(std::string_view line, bool firstLine, bool plain, std::size_t knownAt = kNowhere,
            std::size_t knownLength = 0);

  // The last result line.
  const ResultLine& result() const { return m_result; }

 private:
  // Whether a word occurs in line starting at a character boundary.
  bool Matches(std::string_view line) const;
  // The result from the line's fields, which end at its first separators.
  void MakeResult(std::string_view line, const std::size_t* separators, int count);
  // The result from the fields of m_tabbed, which end at its tabs.
  void MakeResultFromTabs();

  std::vector<std::string> m_words;
  bool m_needsEveryLine = false;
  bool m_testsTabbed = false;  // a word holds a comma or a tab: test the line with its tabs
  std::string m_tabbed;        // the line with its first four separators made tabs, when needed
  ResultLine m_result;
};

}  // namespace storage
