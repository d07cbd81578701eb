#include "storage/conflict_copies.h"

#include "storage/paths.h"

namespace storage {

namespace {

constexpr std::string_view kMarkedCopy = "conflicted copy";
constexpr std::string_view kSyncConflict = ".sync-conflict-";

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
    std::size_t i = 0;
    while (i < part.size() && lower(text[at + i]) == part[i]) ++i;
    if (i == part.size()) return true;
  }
  return false;
}

}  // namespace

bool IsConflictCopy(std::string_view fileName, std::string* listName) {
  if (fileName.size() <= kListFileEnding.size() ||
      fileName.substr(fileName.size() - kListFileEnding.size()) != kListFileEnding) {
    return false;
  }
  const std::string_view stem = fileName.substr(0, fileName.size() - kListFileEnding.size());
  // "<name> (… conflicted copy …)": the last " (" that opens such a note.
  if (!stem.empty() && stem.back() == ')') {
    for (std::size_t open = stem.rfind(" ("); open != std::string_view::npos && open > 0;
         open = stem.rfind(" (", open - 1)) {
      if (ContainsIgnoringCase(stem.substr(open), kMarkedCopy)) {
        listName->assign(stem.substr(0, open));
        return true;
      }
    }
  }
  // "<name>.sync-conflict-…"
  const std::size_t mark = stem.rfind(kSyncConflict);
  if (mark != std::string_view::npos && mark > 0) {
    listName->assign(stem.substr(0, mark));
    return true;
  }
  return false;
}

std::string MergedCopyName(std::string_view fileName) {
  return std::string(fileName) + ".merged";
}

}  // namespace storage
