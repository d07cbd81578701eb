#pragma once
// The module's application object. Every module that links the framework (an executable or a
// DLL) has exactly one, as a static object; it knows the module and the module's name.

#include <windows.h>

class CWinApp {
 public:
  // name: the application name; null takes the module's file name without its extension.
  explicit CWinApp(const char* name = nullptr);
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;
  virtual ~CWinApp();

  const char* m_pszAppName;  // never null
  HINSTANCE m_hInstance;     // the module this object lives in

 private:
  char m_name[MAX_PATH];
};

// The module's application object, or null before it is constructed.
CWinApp* AfxGetApp();
// The module that holds this code, and so the framework's resources and window classes.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// The application object's name; the module's file name without extension when there is none.
const char* AfxGetAppName();
// A modal message box owned by the active window of this thread, captioned with the
// application name. Returns the button the user chose (IDOK, IDYES, ...).
int AfxMessageBox(const char* text, UINT type = MB_OK);
