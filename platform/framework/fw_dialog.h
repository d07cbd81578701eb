#pragma once
// CDialog: a dialog window made from a dialog-template resource of this module, either
// modeless (Create) on the calling thread, or modal (DoModal) with the system's own loop.

#include <windows.h>

#include "framework/fw_window.h"

class CDialog : public CWnd {
 public:
  CDialog();
  // The template to use later and the parent for Create and DoModal (may be null).
  CDialog(UINT nIDTemplate, CWnd* pParentWnd);
  ~CDialog() override;

  // Called once the window and its controls exist; true lets the dialog manager set the
  // focus to the first tab stop.
  virtual BOOL OnInitDialog();
  // The OK and Cancel commands: a modal dialog ends with IDOK or IDCANCEL; a modeless
  // dialog ignores them, so a stray command never destroys it.
  virtual void OnOK();
  virtual void OnCancel();

  // Makes the modeless window from template nIDTemplate (low 16 bits) of this module, owned
  // by the calling thread. Fails when the template is missing or the window exists already.
  BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  // Runs the dialog modally on the calling thread and returns its end code, or -1 when the
  // window could not be made.
  virtual INT_PTR DoModal();
  void EndDialog(int result);
  // Gives dialog keys (Tab, Enter, Esc, arrows) to the dialog manager.
  BOOL PreTranslateMessage(MSG* pMsg) override;

 protected:
  static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

  UINT m_nIDHelp = 0;  // the template identifier
  CWnd* m_pParentWnd = nullptr;
  BOOL m_bModal = FALSE;

  DECLARE_MESSAGE_MAP()
};
