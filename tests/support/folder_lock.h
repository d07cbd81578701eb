#pragma once
// The lock that tool windows sharing a list folder take while they compare a file with what
// they show and write it. Held here, the tool writes nothing until it is let go: the walk reads
// the folder as one state, and another program writes without a save of the tool between its
// reading and its writing.

#include <windows.h>

#include <string>

#include "framework/fw_handles.h"

namespace todo_test {

inline constexpr char kLockFileName[] = "~lock.tmp";

class FolderLock {
 public:
  // Waits up to timeoutMs while a tool holds it; Held() tells whether it was had.
  explicit FolderLock(const std::string& listFolder, DWORD timeoutMs = 5000)
      : m_file(Take(listFolder + "\\" + kLockFileName, timeoutMs)) {}
  bool Held() const { return m_file.Ok(); }

 private:
  static HANDLE Take(const std::string& path, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
      // Shared with nobody and gone when closed, as the tool takes it.
      const HANDLE file =
          CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
      if (file != INVALID_HANDLE_VALUE || GetTickCount() - start >= timeoutMs) return file;
      Sleep(2);
    }
  }

  fw::UniqueFileHandle m_file;
};

}  // namespace todo_test
