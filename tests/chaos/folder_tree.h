#pragma once
// The files of a folder tree as bytes, for comparing what a run left with what it should have.
// Paths are code page 932 bytes, as the ANSI file functions give them.

#include <windows.h>

#include <map>
#include <string>

#include "support/fake_host.h"

namespace chaos {

// Relative path -> the file's bytes, or "<folder>" for a folder.
using FileTree = std::map<std::string, std::string>;

inline std::string ReadBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0)
    bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

inline bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

// Adds everything under folder to tree, named `prefix` + the name within folder. The files
// lying directly in `skipFilesOf` are left out (its folders are not).
inline void AddTree(const std::string& folder, const std::string& prefix,
                    const std::string& skipFilesOf, FileTree* tree) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = folder + "\\" + name;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      (*tree)[prefix + name] = "<folder>";
      AddTree(path, prefix + name + "\\", skipFilesOf, tree);
    } else if (folder != skipFilesOf) {
      (*tree)[prefix + name] = ReadBytes(path);
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
}

// The files (not folders) lying directly in folder, by name.
inline FileTree FilesIn(const std::string& folder) {
  FileTree files;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    files[entry.cFileName] = ReadBytes(folder + "\\" + entry.cFileName);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return files;
}

using todo_test::RemoveTree;

}  // namespace chaos
