#include "quarnctrl/win32/inplace_editor.h"

#include "text/cp932.h"
#include "framework/fw_window_map.h"

namespace quarn::win32 {

namespace {

// The editors by their windows, for the subclass procedure: every message of an editor's
// window looks its editor up here. Boxes of several threads may have editors open at once.
fw::WindowObjectMap<InPlaceEditor>& Editors() {
  static fw::WindowObjectMap<InPlaceEditor> editors;
  return editors;
}

}  // namespace

InPlaceEditor::InPlaceEditor(ListModel* model, HWND hwnd) : m_model(model), m_hwnd(hwnd) {
  // The window is new: nothing else can have been attached to it.
  Editors().Replace(hwnd, this);
  m_original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc)));
}

InPlaceEditor::~InPlaceEditor() {
  if (m_hwnd == nullptr) return;  // destroyed with its parent already
  HWND hwnd = m_hwnd;
  Release();
  DestroyWindow(hwnd);
}

void InPlaceEditor::Release() {
  SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
  Editors().Remove(m_hwnd, this);
  m_hwnd = nullptr;
}

bool InPlaceEditor::HasFocus() const {
  HWND focus = GetFocus();
  return focus != nullptr && m_hwnd != nullptr && (focus == m_hwnd || IsChild(m_hwnd, focus));
}

void InPlaceEditor::Cancel() {
  if (m_retired) return;
  ListModel* model = m_model;
  Retire();
  model->CancelEdit();  // closes this editor: nothing of it may be touched afterwards
}

LRESULT InPlaceEditor::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(m_original, m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK InPlaceEditor::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  InPlaceEditor* editor = Editors().Find(hwnd);
  if (editor == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // Destroyed from outside (its parent went first): let go of the window.
    WNDPROC original = editor->m_original;
    editor->Release();
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
  }
  return editor->Handle(message, wParam, lParam);
}

std::unique_ptr<TextEditor> TextEditor::Open(ListModel* model, HWND box, const RECT& cell,
                                             const std::string& text, HFONT font) {
  auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(box, GWLP_HINSTANCE));
  HWND hwnd = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                              cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top,
                              box, nullptr, instance, nullptr);
  if (hwnd == nullptr) return nullptr;
  std::unique_ptr<TextEditor> editor(new TextEditor(model, hwnd));
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(hwnd, EM_LIMITTEXT, ListModel::kEditLimit, 0);
  std::string shown =
      text.substr(0, cp932::CutLength(text.data(), text.size(), ListModel::kEditLimit));
  SetWindowTextA(hwnd, shown.c_str());
  SendMessageA(hwnd, EM_SETSEL, 0, -1);
  SetFocus(hwnd);
  return editor;
}

std::string TextEditor::Text() const {
  int length = GetWindowTextLengthA(Hwnd());
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(Hwnd(), &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void TextEditor::OnChange() {
  if (Retired()) return;
  std::string text = Text();
  std::size_t keep = cp932::CutLength(text.data(), text.size(), ListModel::kEditLimit);
  if (keep == text.size()) return;
  // Setting the shorter text changes it again, within the limit this time.
  SetWindowTextA(Hwnd(), text.substr(0, keep).c_str());
  SendMessageA(Hwnd(), EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);  // the caret at the end
}

void TextEditor::Commit() {
  if (Retired()) return;
  std::string text = Text();
  ListModel* model = Model();
  Retire();
  model->CommitText(text);  // closes this editor: nothing of it may be touched afterwards
}

LRESULT InPlaceEditor::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE:
      // Enter and Esc end the edit here; the dialog manager must not take them.
      return CallOriginal(message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        Commit();
        return 0;
      }
      if (wParam == VK_ESCAPE) {
        Cancel();
        return 0;
      }
      break;
    case WM_CHAR:
      // The characters of Enter and Esc would only make the edit control beep.
      if (wParam == '\r' || wParam == '\n' || wParam == 0x1B) return 0;
      break;
    case WM_KILLFOCUS: {
      LRESULT result = CallOriginal(message, wParam, lParam);
      if (!Retired() && !KeepsEditWhenFocusGoesTo(reinterpret_cast<HWND>(wParam))) Commit();
      return result;
    }
    default:
      break;
  }
  return CallOriginal(message, wParam, lParam);
}

}  // namespace quarn::win32
