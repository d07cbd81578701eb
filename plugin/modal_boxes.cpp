#include "plugin/modal_boxes.h"

namespace {

struct EndSearch {
  HWND toolWindow;
};

// Ends one dialog box of the tool thread other than the tool window, with the safest answer
// it has. Message boxes are owned by the tool window; the settings dialog has no owner.
BOOL CALLBACK EndBoxOwnedBy(HWND box, LPARAM param) {
  if (box == reinterpret_cast<EndSearch*>(param)->toolWindow) return TRUE;
  char className[16] = "";
  GetClassNameA(box, className, sizeof(className));
  if (lstrcmpA(className, "#32770") != 0) return TRUE;
  int answer = IDOK;
  if (GetDlgItem(box, IDNO) != nullptr) {
    answer = IDNO;
  } else if (GetDlgItem(box, IDCANCEL) != nullptr) {
    answer = IDCANCEL;
  }
  // Posted: the box's own modal loop ends it, and its caller then goes on as after that
  // answer.
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
  return TRUE;
}

}  // namespace

bool ModalBoxes::Enter() {
  if (m_closing) return false;
  ++m_openCount;
  return true;
}

void ModalBoxes::Leave() {
  if (m_openCount > 0) --m_openCount;
  if (m_openCount == 0 && m_closeWaits) {
    m_closeWaits = false;
    // No other box opens before the close has run: it allows them again for its own question.
    PostMessageA(m_window, WM_CLOSE, 0, 0);
  }
}

void ModalBoxes::EndAllThenClose() {
  m_closing = true;
  m_closeWaits = true;
  EndSearch search = {m_window};
  EnumThreadWindows(GetCurrentThreadId(), &EndBoxOwnedBy, reinterpret_cast<LPARAM>(&search));
}
