#include "framework/fw_dialog.h"

#include <windows.h>

#include <commctrl.h>

#include "framework/fw_app.h"

namespace {

// Dialog templates may hold common controls such as the date picker: register their classes.
void RegisterCommonControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)done;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

BOOL CDialog::OnInitDialog() {
  return TRUE;
}

void CDialog::OnOK() {
  if (m_bModal) EndDialog(IDOK);
}

void CDialog::OnCancel() {
  if (m_bModal) EndDialog(IDCANCEL);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
  if (m_hWnd) return FALSE;
  RegisterCommonControls();
  m_nIDHelp = nIDTemplate;
  m_pParentWnd = pParentWnd;
  m_bModal = FALSE;
  HWND hWnd = CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(LOWORD(nIDTemplate)),
                                 pParentWnd ? pParentWnd->m_hWnd : nullptr, &DialogProc,
                                 reinterpret_cast<LPARAM>(this));
  return hWnd != nullptr;
}

INT_PTR CDialog::DoModal() {
  if (m_hWnd) return -1;
  RegisterCommonControls();
  m_bModal = TRUE;
  const INT_PTR result = DialogBoxParamA(
      AfxGetResourceHandle(), MAKEINTRESOURCEA(LOWORD(m_nIDHelp)),
      m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, &DialogProc, reinterpret_cast<LPARAM>(this));
  m_bModal = FALSE;
  return result;
}

void CDialog::EndDialog(int result) {
  if (m_hWnd) ::EndDialog(m_hWnd, result);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (!m_hWnd || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) return FALSE;
  return IsDialogMessageA(m_hWnd, pMsg);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  // Everything but WM_INITDIALOG reaches the object through its attached window procedure;
  // here only the dialog manager's default processing asks, and the answer is "not handled".
  if (message != WM_INITDIALOG) return FALSE;
  auto* self = reinterpret_cast<CDialog*>(lParam);
  if (!self || self->m_hWnd) return TRUE;
  self->SubclassWindow(hWnd);
  return self->OnInitDialog();
}
