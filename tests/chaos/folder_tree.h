#pragma once
// The files of a folder tree as bytes, for comparing what a run left with what it should have.
// Paths are code page 932 bytes, as the ANSI file functions give them.

#include <windows.h>

#include <map>
#include <string>

#include "framework/fw_handles.h"
#include "support/fake_host.h"

namespace chaos {

// Relative path -> the file's bytes, or "<folder>" for a folder.
using FileTree = std::map<std::string, std::string>;

inline std::string ReadBytes(const std::string& path) {
  const fw::UniqueFileHandle file(CreateFileA(
      path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Ok()) return "<unreadable>";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file.Get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  return bytes;
}

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
  const fw::UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file.Ok() &&
         WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

// Adds everything under `folder` to `tree`, named `prefix` + the name within folder, down to
// `depth` folders deep. The files lying directly in `skipFilesOf` are left out (its folders
// are not).
inline void AddTree(const std::string& folder, const std::string& prefix,
                    const std::string& skipFilesOf, FileTree* tree, int depth = 100) {
  WIN32_FIND_DATAA entry;
  const fw::UniqueFindHandle find(FindFirstFileA((folder + "\\*").c_str(), &entry));
  for (bool more = find.Ok(); more; more = FindNextFileA(find.Get(), &entry)) {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      if (folder != skipFilesOf) (*tree)[prefix + name] = ReadBytes(folder + "\\" + name);
    } else if (depth > 0) {
      (*tree)[prefix + name] = "<folder>";
      AddTree(folder + "\\" + name, prefix + name + "\\", skipFilesOf, tree, depth - 1);
    }
  }
}

// The files (not folders) lying directly in folder, by name.
inline FileTree FilesIn(const std::string& folder) {
  FileTree files;
  AddTree(folder, "", "", &files, 0);
  return files;
}

}  // namespace chaos
