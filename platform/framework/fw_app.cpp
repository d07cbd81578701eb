#include "framework/fw_app.h"

#include <cstring>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// The one application object of this module. The platform makes this global: the framework
// must find the object from code that has no pointer to it (message boxes, resources).
CWinApp* g_moduleApp = nullptr;

// Copies the module's file name without folder and extension into name.
void ModuleBaseName(HINSTANCE module, char* name, std::size_t size) {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) path[0] = '\0';
  const char* base = path;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/' || *p == ':') base = p + 1;
    // A backslash can be the second byte of a double-byte character: skip those.
    if (IsDBCSLeadByte(static_cast<BYTE>(*p)) && p[1]) ++p;
  }
  std::strncpy(name, base, size - 1);
  name[size - 1] = '\0';
  char* dot = std::strrchr(name, '.');
  if (dot && dot != name) *dot = '\0';
}

}  // namespace

CWinApp::CWinApp(const char* name) : m_pszAppName(m_name), m_hInstance(AfxGetInstanceHandle()) {
  if (name) {
    std::strncpy(m_name, name, sizeof(m_name) - 1);
    m_name[sizeof(m_name) - 1] = '\0';
  } else {
    ModuleBaseName(m_hInstance, m_name, sizeof(m_name));
  }
  g_moduleApp = this;
}

CWinApp::~CWinApp() {
  if (g_moduleApp == this) g_moduleApp = nullptr;
}

CWinApp* AfxGetApp() {
  return g_moduleApp;
}

HINSTANCE AfxGetInstanceHandle() {
  return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

HINSTANCE AfxGetResourceHandle() {
  return AfxGetInstanceHandle();
}

const char* AfxGetAppName() {
  return g_moduleApp ? g_moduleApp->m_pszAppName : "";
}

int AfxMessageBox(const char* text, UINT type) {
  // A box that names no icon gets the exclamation icon, as the framework's boxes always do.
  if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
  return MessageBoxA(GetActiveWindow(), text, AfxGetAppName(), type);
}
