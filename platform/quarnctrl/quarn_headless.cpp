// The headless front and the factory of the headless build.

#include "quarnctrl/quarn_headless.h"

#include <cstring>

#include "text/cp932.h"

namespace quarn {

void HeadlessFront::Focus() {
  if (m_focus) return;
  m_focus = true;
  m_model->UserActivate();
}

void HeadlessFront::Blur() {
  if (m_editorOpen) EndEditor(true);
  m_focus = false;
}

void HeadlessFront::Press(int row, QuarnColumn column) {
  // Pressing in the box takes the focus from an open editor first, which ends the edit.
  if (m_editorOpen) EndEditor(true);
  bool hadFocus = m_focus;
  m_model->UserActivate();
  m_focus = true;
  if (m_model->UserPress(row, column, hadFocus) == PressResult::EditPending) {
    m_pendingRow = row;
    m_pendingColumn = column;
    m_pending = true;
  }
}

void HeadlessFront::Click(int row, QuarnColumn column) {
  Press(row, column);
  // No second press follows within the double-click time: the pending edit begins.
  if (m_pending) {
    m_pending = false;
    m_model->BeginEdit(m_pendingRow, m_pendingColumn);
  }
}

void HeadlessFront::DoubleClick(int row, QuarnColumn column) {
  Press(row, column);
  // The second press comes as a double-click, which only cancels the pending edit.
  m_pending = false;
}

void HeadlessFront::PressKey(Key key) {
  if (m_editorOpen) return;  // keys go to the editor while it is open
  m_model->UserKey(key);
}

void HeadlessFront::TypeText(const std::string& text) {
  if (!m_editorOpen || m_editorColumn != QUARN_COLUMN_TEXT) return;
  // The editor holds at most its limit, as a real edit control does.
  m_editorText = text.substr(0, cp932::CutLength(text.data(), text.size(), ListModel::kEditLimit));
}

void HeadlessFront::PickDate(DWORD date) {
  if (m_editorOpen && m_editorColumn == QUARN_COLUMN_DATE) m_editorDate = date;
}

void HeadlessFront::PressEnter() {
  if (m_editorOpen) EndEditor(true);
}

void HeadlessFront::PressEscape() {
  if (m_editorOpen) EndEditor(false);
}

void HeadlessFront::EndEditor(bool store) {
  if (!store) {
    m_model->CancelEdit();
  } else if (m_editorColumn == QUARN_COLUMN_DATE) {
    m_model->CommitDate(m_editorDate);
  } else {
    m_model->CommitText(m_editorText);
  }
}

void HeadlessFront::ScrollIntoView(int row) {
  if (row < m_top) {
    m_top = row;
  } else if (row >= m_top + m_visibleRows) {
    m_top = row - m_visibleRows + 1;
  }
}

void HeadlessFront::OpenEditor(int row, QuarnColumn column) {
  const Row* edited = m_model->RowAt(row);
  if (edited == nullptr) return;
  m_editorOpen = true;
  m_editorColumn = column;
  const std::string_view text = m_model->Text(row);
  m_editorText.assign(text.data(),
                      cp932::CutLength(text.data(), text.size(), ListModel::kEditLimit));
  m_editorDate = edited->data;
  m_focus = true;
}

void HeadlessFront::CloseEditor() {
  m_editorOpen = false;
}

void HeadlessFront::SetFont(HFONT font, bool redraw) {
  m_font = font;
  if (redraw) Invalidate();
}

void HeadlessFront::Destroy() {
  m_editorOpen = false;
  m_focus = false;
  m_destroyed = true;
}

HeadlessFront* HeadlessFrontOf(CQuarnListBox* box) {
  return box != nullptr ? static_cast<HeadlessFront*>(box->View()) : nullptr;
}

}  // namespace quarn

CQuarnListBox* CQuarnListBox::NewQuarnCtrl(HWND, const char* name, RECT* rect, int) {
  if (name == nullptr || rect == nullptr) return nullptr;
  CQuarnListBox* box = nullptr;
  if (std::strcmp(name, "ToDoList") == 0) {
    box = new CQuarnImageListBox;
  } else if (std::strcmp(name, "ToDoItem") == 0) {
    box = new CQuarnToDoListBox;
  } else {
    return nullptr;
  }
  box->AttachView(new quarn::HeadlessFront(box->m_pModel));
  return box;
}
