#include "storage/list_store.h"

#include <utility>

#include "storage/atomic_save.h"
#include "storage/file_reading.h"
#include "storage/list_order_format.h"
#include "storage/paths.h"

namespace storage {

void MakeListFolder(Files& files, std::string_view dataFolder) {
  files.CreateFolder(ListFolderPath(dataFolder));  // fails when it exists: nothing to do then
}

OpenResult LoadListOrder(Files& files, const std::string& path, std::vector<std::string>* names) {
  names->clear();
  const std::size_t folderLength = FolderPartLength(path);
  RemoveLeftoverSaves(files, folderLength == 0 ? std::string(".") : path.substr(0, folderLength));
  std::string bytes;
  const OpenResult read = ReadWholeFile(files, path, &bytes);
  if (read == OpenResult::kOpened) *names = ParseListOrder(bytes);
  return read;
}

bool SaveListOrder(Files& files, const std::string& path, const std::vector<std::string>& names,
                   IfHeld ifHeld) {
  return SaveFileAtomically(files, path, FormatListOrder(names), ifHeld);
}

OpenResult LoadListFile(Files& files, const std::string& path, ListFileAsRead* file,
                        ListFileBuffers* room) {
  *file = ListFileAsRead();
  std::string bytes;
  if (room != nullptr) bytes.swap(room->bytes);
  const OpenResult read = ReadWholeFile(files, path, &bytes);
  if (read != OpenResult::kOpened) {
    if (room != nullptr) bytes.swap(room->bytes);
    return read;
  }
  *file = room != nullptr ? ListFileAsRead(std::move(bytes), std::move(room->records))
                          : ListFileAsRead(std::move(bytes));
  return read;
}

bool SaveListFile(Files& files, const std::string& path, const ListFileContent& content,
                  ListFileAsRead* file, IfHeld ifHeld) {
  std::string bytes = FormatListFile(content, file);
  if (!SaveFileAtomically(files, path, bytes, ifHeld)) return false;
  if (file != nullptr) *file = ListFileAsRead(std::move(bytes));
  return true;
}

}  // namespace storage
