#include "storage/paths.h"

#include "text/cp932.h"
#include "storage/list_names.h"

namespace storage {

namespace {

bool EndsFolderPart(char byte) {
#if defined(_WIN32)
  return byte == '\\' || byte == '/' || byte == ':';
#else
  return byte == '/';
#endif
}

}  // namespace

std::string ListFolderPath(std::string_view dataFolder) {
  std::string path(dataFolder);
  path += kPathSeparator;
  path += kListFolderName;
  return path;
}

std::string ListFolderSearchPath(std::string_view dataFolder) {
  return ListFolderPath(dataFolder) + kPathSeparator;
}

std::string ListFilePath(std::string_view dataFolder, std::string_view listName) {
  if (!NamesFileInListFolder(listName)) return std::string();
  std::string path = ListFolderSearchPath(dataFolder);
  path += listName;
  path += kListFileEnding;
  return path;
}

std::string ListFolderLockPath(std::string_view dataFolder) {
  std::string path = ListFolderSearchPath(dataFolder);
  path += kListFolderLockName;
  return path;
}

std::string ListOrderPath() {
  std::string path = ".";
  path += kPathSeparator;
  path += kListFolderName;
  path += kPathSeparator;
  path += kListOrderFileName;
  return path;
}

std::size_t FolderPartLength(std::string_view path) {
  std::size_t length = 0;
  std::size_t pos = 0;
  while (pos < path.size()) {
    const unsigned char byte = static_cast<unsigned char>(path[pos]);
    if (cp932::IsLeadByte(byte)) {
      pos += 2;  // a lead byte and its trail byte, which may look like a backslash
      continue;
    }
    ++pos;
    if (EndsFolderPart(static_cast<char>(byte))) length = pos;
  }
  return length;
}

}  // namespace storage
