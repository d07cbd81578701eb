// The box's window: mouse presses, keys, focus and the in-place editors.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "quarnctrl/win32/list_painter.h"
#include "quarnctrl/win32/list_window.h"

namespace quarn::win32 {

namespace {

constexpr UINT_PTR kEditTimer = 1;  // a press asked for an edit; it begins unless a double-click

}  // namespace

bool ListWindow::HasFocusWithin() const {
  HWND focus = GetFocus();
  if (focus == nullptr || m_hwnd == nullptr) return false;
  return focus == m_hwnd || (m_editor != nullptr && m_editor->HasFocus());
}

void ListWindow::TakeFocusQuietly() {
  if (m_hwnd == nullptr || GetFocus() == m_hwnd) return;
  // Taking the focus can end an editor, which may take it again: keep the outer state.
  bool outer = m_quietFocus;
  m_quietFocus = true;
  SetFocus(m_hwnd);
  m_quietFocus = outer;
}

void ListWindow::OnPress(POINT point, bool doubleClick) {
  CancelPendingEdit();
  // The cell the user pointed at, as it was drawn.
  ListLayout layout = Layout();
  int row = layout.RowAt(point.y);
  QuarnColumn column = layout.ColumnAt(point.x);
  bool hadFocus = HasFocusWithin();
  // The press takes the focus from an open editor, which ends its edit (stored) first.
  if (m_editor != nullptr) m_editor->Commit();
  m_model->UserActivate();
  if (m_hwnd == nullptr) return;
  TakeFocusQuietly();
  PressResult result = m_model->UserPress(row, column, hadFocus);
  // The second press of a double-click never starts an edit.
  if (result != PressResult::EditPending || doubleClick || m_hwnd == nullptr) return;
  m_editPending = true;
  m_pendingRow = row;
  m_pendingColumn = column;
  SetTimer(m_hwnd, kEditTimer, GetDoubleClickTime(), nullptr);
}

bool ListWindow::OnTimer(UINT_PTR id) {
  if (id != kEditTimer) return false;
  KillTimer(m_hwnd, kEditTimer);
  if (!m_editPending) return true;
  m_editPending = false;
  // Nothing begins when the row changed or the focus went elsewhere meanwhile.
  if (m_model->Selection() == m_pendingRow && HasFocusWithin()) {
    m_model->BeginEdit(m_pendingRow, m_pendingColumn);
  }
  return true;
}

void ListWindow::CancelPendingEdit() {
  if (!m_editPending) return;
  m_editPending = false;
  if (m_hwnd != nullptr) KillTimer(m_hwnd, kEditTimer);
}

void ListWindow::OnSetFocus(HWND previous) {
  Invalidate();
  if (m_destroying) return;
  // However the focus came, a screen reader hears which row has it now.
  NotifyFocus();
  if (m_quietFocus) return;
  // The editor handing the focus back is not the user coming into the box.
  if (previous != nullptr && m_editor != nullptr && m_editor->Hwnd() != nullptr &&
      (previous == m_editor->Hwnd() || IsChild(m_editor->Hwnd(), previous))) {
    return;
  }
  m_model->UserActivate();
}

bool ListWindow::OnKeyDown(WPARAM key) {
  Key pressed;
  switch (key) {
    case VK_UP:
      pressed = Key::Up;
      break;
    case VK_DOWN:
      pressed = Key::Down;
      break;
    case VK_HOME:
      pressed = Key::Home;
      break;
    case VK_END:
      pressed = Key::End;
      break;
    case VK_PRIOR:
      pressed = Key::PageUp;
      break;
    case VK_NEXT:
      pressed = Key::PageDown;
      break;
    case VK_F2:
      pressed = Key::F2;
      break;
    case VK_SPACE:
      pressed = Key::Space;
      break;
    default:
      return false;
  }
  CancelPendingEdit();
  m_model->UserKey(pressed);
  return true;
}

void ListWindow::OnDefaultAction(int row, unsigned serial) {
  // Rows that came or went since it was asked for make `row` another row: nothing is done.
  if (serial != m_rowsSerial || m_destroying || m_model->RowAt(row) == nullptr) return;
  // As a press on the row: an open editor ends first, then event 1 and the focus.
  CancelPendingEdit();
  if (m_editor != nullptr) m_editor->Commit();
  if (serial != m_rowsSerial || m_model->RowAt(row) == nullptr) return;
  m_model->UserActivate();
  if (m_hwnd == nullptr) return;
  TakeFocusQuietly();
  // Then the row is selected as a click selects it (the owner may refuse), and in the item
  // box its check toggles as a click on the check of the selected row does.
  if (m_model->Selection() != row && !m_model->UserSelect(row, false)) return;
  if (m_model->IsChecked() && m_hwnd != nullptr) m_model->BeginEdit(row, QUARN_COLUMN_CHECK);
}

void ListWindow::OnNotify(const NMHDR& header) {
  if (m_editor != nullptr && header.hwndFrom == m_editor->Hwnd()) m_editor->OnNotify(header);
}

void ListWindow::OnDropDownClosed(unsigned serial) {
  auto* editor = dynamic_cast<DateEditor*>(m_editor.get());
  if (editor != nullptr && editor->Serial() == serial) editor->OnDropDownClosed();
}

RECT ListWindow::EditorCell(int row, QuarnColumn column) const {
  ListLayout layout = Layout();
  RECT cell = layout.CellRect(row, column);
  const Row* edited = m_model->RowAt(row);
  if (!m_model->IsChecked() && edited != nullptr) {
    // The name's editor starts where the name does, right of the bitmap.
    cell.left = std::min<long>(cell.right, NameTextLeft(edited->image, layout.RowHeight()) - 2);
  }
  return cell;
}

void ListWindow::PlaceEditor() {
  if (m_editor == nullptr || m_editor->Hwnd() == nullptr || !m_model->Editing()) return;
  RECT cell = EditorCell(m_model->EditRow(), m_model->EditColumn());
  MoveWindow(m_editor->Hwnd(), cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
             TRUE);
}

void ListWindow::OpenEditor(int row, QuarnColumn column) {
  if (m_hwnd == nullptr || m_destroying) return;
  const Row* edited = m_model->RowAt(row);
  if (edited == nullptr) return;
  CancelPendingEdit();
  if (m_editor != nullptr) CloseEditor();
  ScrollIntoView(row);
  RECT cell = EditorCell(row, column);
  if (column == QUARN_COLUMN_DATE) {
    m_editor = DateEditor::Open(m_model, m_hwnd, cell, edited->data, Font(), ++m_editorSerial);
  } else {
    m_editor = TextEditor::Open(m_model, m_hwnd, cell, std::string(m_model->Text(row)), Font());
  }
  // Without an editor the edit cannot go on.
  if (m_editor == nullptr) m_model->CancelEdit();
}

void ListWindow::CloseEditor() {
  std::unique_ptr<InPlaceEditor> editor = std::move(m_editor);
  if (editor == nullptr) return;
  editor->Retire();
  // The focus goes back to the box only if the editor had it, and quietly.
  if (editor->HasFocus() && !m_destroying) TakeFocusQuietly();
  editor.reset();
  Invalidate();
}

void ListWindow::DiscardEditor() {
  if (m_editor == nullptr) return;
  // Given up through the model when this box is still its front; the editor goes either way.
  if (m_model->Editing()) m_model->CancelEdit();
  CloseEditor();
}

}  // namespace quarn::win32
