#pragma once
// Owners of Windows kernel handles that use INVALID_HANDLE_VALUE for "none": an open file
// (CloseHandle) and a folder search (FindClose). Each closes its handle when it goes.

#include <windows.h>

namespace fw {

template <BOOL(WINAPI* CloseFunction)(HANDLE)>
class UniqueHandle {
 public:
  explicit UniqueHandle(HANDLE handle) : m_handle(handle) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { Close(); }

  HANDLE Get() const { return m_handle; }
  bool Ok() const { return m_handle != INVALID_HANDLE_VALUE; }
  // Closes the handle now; false when there was none or closing failed. Later calls do
  // nothing and answer false.
  bool Close() {
    if (m_handle == INVALID_HANDLE_VALUE) return false;
    const BOOL closed = CloseFunction(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
    return closed != FALSE;
  }

 private:
  HANDLE m_handle;
};

using UniqueFileHandle = UniqueHandle<CloseHandle>;
using UniqueFindHandle = UniqueHandle<FindClose>;

}  // namespace fw
