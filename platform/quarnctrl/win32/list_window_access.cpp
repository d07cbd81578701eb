// The box's window for screen readers: its accessible object, and the win events that tell
// what changed in it.

#include <windows.h>

#include <oleacc.h>

#include "quarnctrl/win32/list_window.h"

namespace quarn::win32 {

namespace {

// The child id of a row; rows count from 1, 0 (CHILDID_SELF) is the box itself.
LONG ChildOf(int row) {
  return row >= 0 ? row + 1 : CHILDID_SELF;
}

}  // namespace

bool ListWindow::DatesShown() const {
  if (!m_model->IsChecked() || m_hwnd == nullptr) return false;
  // As painted: a date cell of no width (a text column as wide as QUARN_WIDTH_HIDING_DATES
  // pushes it out of the client area) shows no date.
  const RECT cell = Layout().CellRect(0, QUARN_COLUMN_DATE);
  return cell.right > cell.left;
}

bool ListWindow::RequestDefaultAction(int row) {
  if (m_hwnd == nullptr || m_destroying || m_model->RowAt(row) == nullptr) return false;
  return PostMessageA(m_hwnd, kDefaultAction, static_cast<WPARAM>(row),
                      static_cast<LPARAM>(m_rowsSerial)) != FALSE;
}

LRESULT ListWindow::OnGetObject(WPARAM wParam, LPARAM lParam) {
  // The object id comes as a 32-bit value, whatever the width of lParam.
  const LONG object = static_cast<LONG>(static_cast<DWORD>(lParam));
  if (object != OBJID_CLIENT || m_hwnd == nullptr || m_destroying) {
    return DefWindowProcA(m_hwnd, WM_GETOBJECT, wParam, lParam);
  }
  // Handing the object out goes through COM, which needs the thread in an apartment; the
  // window keeps it there until it goes, so the object's callers are never cut off early.
  if (m_apartment == nullptr) m_apartment = std::make_unique<fw::ComApartment>();
  if (!m_apartment->Ok()) return 0;
  if (!m_accessible) m_accessible = fw::ComPtr<BoxAccessible>(new BoxAccessible(this));
  return LresultFromObject(IID_IAccessible, wParam, m_accessible.Get());
}

void ListWindow::DisconnectAccessible() {
  if (m_accessible) {
    m_accessible->Disconnect();
    // Callers in other apartments or processes are cut off now, and their references held
    // for them by COM are released.
    CoDisconnectObject(m_accessible.Get(), 0);
    m_accessible.Reset();
  }
  m_apartment.reset();
}

void ListWindow::Notify(DWORD event, LONG child) const {
  if (m_hwnd == nullptr || m_destroying) return;
  NotifyWinEvent(event, m_hwnd, OBJID_CLIENT, child);
}

void ListWindow::NotifyFocus() const {
  Notify(EVENT_OBJECT_FOCUS, ChildOf(m_model->Selection()));
}

void ListWindow::RowInserted(int row) {
  ++m_rowsSerial;
  Notify(EVENT_OBJECT_CREATE, ChildOf(row));
}

void ListWindow::RowsAppended(int, int) {
  ++m_rowsSerial;
  // Many rows at once (a long list loaded): the list's children are to be read again, as after
  // a reset, rather than told of one by one.
  Notify(EVENT_OBJECT_REORDER, CHILDID_SELF);
}

void ListWindow::RowRemoved(int row) {
  ++m_rowsSerial;
  Notify(EVENT_OBJECT_DESTROY, ChildOf(row));
}

void ListWindow::RowsReset() {
  ++m_rowsSerial;
  // Every child went at once: the list's children are to be read again.
  Notify(EVENT_OBJECT_REORDER, CHILDID_SELF);
}

void ListWindow::SelectionMoved(int row) {
  if (row < 0) return;  // nothing is selected to be told of
  Notify(EVENT_OBJECT_SELECTION, ChildOf(row));
  if (GetFocus() == m_hwnd) Notify(EVENT_OBJECT_FOCUS, ChildOf(row));
}

void ListWindow::RowChanged(int row, RowPart part) {
  switch (part) {
    case RowPart::Text:
      Notify(EVENT_OBJECT_NAMECHANGE, ChildOf(row));
      break;
    case RowPart::Check:
      Notify(EVENT_OBJECT_STATECHANGE, ChildOf(row));
      break;
    case RowPart::Date:
      Notify(EVENT_OBJECT_DESCRIPTIONCHANGE, ChildOf(row));
      break;
  }
}

}  // namespace quarn::win32
