#include "plugin/system_library.h"

#include <string>

namespace todo {

namespace {

// The full path of `name` in the system folder, or an empty text when the folder is unknown.
// Under WoW64 a 32-bit module is given the 32-bit system folder here.
std::wstring InSystemFolder(const wchar_t* name) {
  std::wstring folder(MAX_PATH, L'\0');
  UINT length = GetSystemDirectoryW(&folder[0], static_cast<UINT>(folder.size()));
  if (length >= folder.size()) {
    folder.resize(length);
    length = GetSystemDirectoryW(&folder[0], static_cast<UINT>(folder.size()));
  }
  if (length == 0 || length >= folder.size()) return std::wstring();
  folder.resize(length);
  if (folder.back() != L'\\') folder += L'\\';
  return folder + name;
}

}  // namespace

SystemLibrary::SystemLibrary(const wchar_t* name) : m_module(nullptr) {
  const std::wstring path = InSystemFolder(name);
  if (path.empty()) return;
  // The library's own libraries are then looked for beside it first, in the system folder,
  // rather than beside the host. Windows XP has this flag too (unlike the newer
  // LOAD_LIBRARY_SEARCH_SYSTEM32, which older systems refuse).
  m_module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

SystemLibrary::~SystemLibrary() {
  if (m_module != nullptr) FreeLibrary(m_module);
}

FARPROC SystemLibrary::Export(const char* name) const {
  return m_module != nullptr ? GetProcAddress(m_module, name) : nullptr;
}

}  // namespace todo
