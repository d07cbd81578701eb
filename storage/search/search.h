#pragma once
// The full-text search over the stored lists: every list file of the list folder is read from
// disk, each item line is tested against the search text, and one result line per matching
// item goes to a sink, as soon as it is found. No results are collected.
//
// The search text is cut into words at ASCII spaces (CutSearchWords); a line matches when any
// word occurs in it, byte for byte and case-sensitive, starting at a character boundary. The
// whole record line takes part, with its first four separators made tabs first, so the date
// fields match too and a word with a comma never matches across two fields. A result line is
// "[<list>] <(未) or (済)> 期限：<year>/<month>/<day> <text>", the fields as stored.
//
// Texts are code page 932 bytes. Characters are judged as the separator search judges them:
// 0x80-0xA0 and 0xE0-0xFF start a double-byte character (find_separator.h).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "storage/files.h"

namespace storage {

// Where a search sends its results, and how it learns that it must stop. Both are called on
// the searching thread only, in the order the search goes.
class SearchSink {
 public:
  virtual ~SearchSink() = default;

  // True when the search must end now; it then returns without another result. Asked afresh
  // before every entry, after every read from a file, and before every line that gives a
  // result (a line that gives none does nothing that a stop could prevent).
  virtual bool StopRequested() = 0;

  // One result line: length bytes of code page 932 text at line, followed by a zero byte.
  // Valid only during the call.
  virtual void Result(const char* line, std::size_t length) = 0;
};

// The words of a search text: while the first space of the remaining text is at a position
// greater than 0, the part before it is a word and the remaining text is what follows that
// space. The remaining text then (empty, or beginning with a space, which stays in it) is the
// last word. So "a b" gives a and b, "a  b" gives a and " b", and "a " gives a and the empty
// word, which occurs in every line. The text ends at its first zero byte. Pure.
std::vector<std::string> CutSearchWords(std::string_view text);

// Searches the list files named by entries, in their order, in the folder at folderPath
// (which ends with a path separator). An entry counts when, without its leading white space
// (space, tab, LF, VT, FF, CR), it neither begins with '*' nor lacks the exact ending ".lst";
// the file opened is folderPath followed by the entry as given, and the list's name is that
// entry without ".lst". Each file is read whole and closed before its lines are tested, so no
// list file is open while results are sent (on Windows an open file would keep a save from
// replacing it); the memory this takes grows to the largest file, not to all of them. A file
// that cannot be opened is skipped; one whose reading fails midway gives the results of the
// lines it completed, and the search goes on with the next entry. Within a file, lines come
// in order; the empty line and a first line of exactly "NO_DATE" give nothing. Any thread;
// files and sink must outlive the call.
void SearchListFiles(Files& files, const std::string& folderPath,
                     const std::vector<std::string_view>& entries, std::string_view text,
                     SearchSink& sink);

// The host numbers its search modes; the tool has only the full-text search, mode 0.
inline constexpr int kFullTextSearchMode = 0;

// For any mode but the full-text search, sends the one line that says the mode is not
// supported ("非対応の検索モードです。") and returns true: that is the whole answer, and
// nothing is read. For the full-text search, does nothing and returns false.
bool RefuseUnsupportedSearchMode(int mode, SearchSink& sink);

}  // namespace storage
