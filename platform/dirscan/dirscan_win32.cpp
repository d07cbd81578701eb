// Folder listing over the Win32 ANSI calls, for Dirscan.dll. Paths are code page 932 bytes.

#include <windows.h>

#include <string>

#include "dirscan/dirscan_list.h"
#include "text/cp932.h"
#include "framework/fw_handles.h"

namespace dirscan {

namespace {

// Whether path ends with a separator: a backslash that is the second byte of a double-byte
// character is none.
bool EndsWithSeparator(const std::string& path) {
  bool ends = false;
  for (std::size_t pos = 0; pos < path.size(); ++pos) {
    const unsigned char byte = static_cast<unsigned char>(path[pos]);
    ends = byte == '\\' || byte == '/' || byte == ':';
    if (cp932::IsLeadByte(byte)) ++pos;
  }
  return ends;
}

}  // namespace

void ListFileNames(const char* path, std::vector<std::string>* names) {
  names->clear();
  std::string pattern = path;
  if (pattern.empty()) return;
  if (!EndsWithSeparator(pattern)) pattern += '\\';
  pattern += '*';
  if (pattern.size() >= MAX_PATH) return;
  WIN32_FIND_DATAA entry;
  fw::UniqueFindHandle search(FindFirstFileA(pattern.c_str(), &entry));
  if (!search.Ok()) return;
  do {
    if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      names->emplace_back(entry.cFileName);
    }
  } while (FindNextFileA(search.Get(), &entry));
}

}  // namespace dirscan
