#pragma once
// A library of Windows, loaded from the system folder only. The host's current folder is the
// user's data folder, where anyone who can write a file could put a library of the same name;
// loading by a bare name would search there too (and the host's folder before the system
// folder), so the full path of the system folder is given instead.

#include <windows.h>

namespace todo {

class SystemLibrary {
 public:
  // Loads `name` (e.g. L"oleacc.dll") from the system folder; Loaded() tells whether it came.
  explicit SystemLibrary(const wchar_t* name);
  ~SystemLibrary();
  SystemLibrary(const SystemLibrary&) = delete;
  SystemLibrary& operator=(const SystemLibrary&) = delete;

  bool Loaded() const { return m_module != nullptr; }

  // Sets *function to the library's export `name`; null when the library or the export is
  // missing.
  template <class Function>
  void Find(const char* name, Function* function) const {
    *function = reinterpret_cast<Function>(reinterpret_cast<void*>(Export(name)));
  }

 private:
  FARPROC Export(const char* name) const;

  HMODULE m_module;
};

}  // namespace todo
