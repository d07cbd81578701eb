#pragma once
// The in-place editors a box puts over a cell: an edit control for a text and a date picker
// for a due date. Each is a child window of the box, subclassed so that Enter stores the edit,
// Esc gives it up and losing the focus stores it, through the model.
//
// The model leaves its edit before it asks the box to close the editor, and the box retires
// the editor before anything else, so the focus changes that closing causes end nothing a
// second time. The box destroys an editor at once, even from inside the editor's own message
// handling: an editor's handler never touches the editor after it has called the model.

#include <windows.h>

#include <memory>
#include <string>

#include "quarnctrl/quarn_model.h"

namespace quarn::win32 {

class InPlaceEditor {
 public:
  virtual ~InPlaceEditor();
  InPlaceEditor(const InPlaceEditor&) = delete;
  InPlaceEditor& operator=(const InPlaceEditor&) = delete;

  HWND Hwnd() const { return m_hwnd; }
  // The keyboard focus is in the editor (or in a window of its own, such as its calendar).
  virtual bool HasFocus() const;
  // Ends the edit, storing what the editor holds.
  virtual void Commit() = 0;
  // Ends the edit, storing nothing.
  void Cancel();
  // From now on the editor ends nothing; the box is about to destroy it.
  void Retire() { m_retired = true; }
  bool Retired() const { return m_retired; }

  // A notification the editor's window sent to the box.
  virtual void OnNotify(const NMHDR&) {}
  // A drop-down closed a moment ago (the box posts this to itself; see DateEditor).
  virtual void OnDropDownClosed() {}
  // The editor's text changed (EN_CHANGE).
  virtual void OnChange() {}

 protected:
  // Takes the window over: it is destroyed with the editor.
  InPlaceEditor(ListModel* model, HWND hwnd);
  // Whether the edit goes on when the focus moves to `window` (a window of the editor's own);
  // losing the focus to any other window stores the edit.
  virtual bool KeepsEditWhenFocusGoesTo(HWND) const { return false; }
  LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam);
  ListModel* Model() const { return m_model; }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Enter stores the edit, Esc gives it up, losing the focus stores it; the rest goes to the
  // window's own procedure.
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Release();

  ListModel* m_model;
  HWND m_hwnd;
  WNDPROC m_original = nullptr;
  bool m_retired = false;
};

// An edit control over a text cell, all text selected. It holds at most the model's edit
// limit in bytes: an edit control may count its limit in characters, and a text of double-byte
// characters would then be cut when stored, after the user saw it whole.
class TextEditor final : public InPlaceEditor {
 public:
  // Null when the window could not be made.
  static std::unique_ptr<TextEditor> Open(ListModel* model, HWND box, const RECT& cell,
                                          const std::string& text, HFONT font);
  void Commit() override;
  void OnChange() override;

 private:
  TextEditor(ListModel* model, HWND hwnd) : InPlaceEditor(model, hwnd) {}
  std::string Text() const;
};

// A date picker over a date cell, showing yyyy/MM/dd. Picking a day in its drop-down calendar
// stores the date; closing the calendar without a pick goes back to the picker.
class DateEditor final : public InPlaceEditor {
 public:
  // Private message the box posts to itself when the calendar has closed; wParam is the
  // editor's serial number, so a late message never reaches a newer editor.
  static constexpr UINT kDropDownClosed = WM_APP + 0x51;

  static std::unique_ptr<DateEditor> Open(ListModel* model, HWND box, const RECT& cell, DWORD date,
                                          HFONT font, unsigned serial);
  unsigned Serial() const { return m_serial; }
  bool HasFocus() const override;
  void Commit() override;
  void OnNotify(const NMHDR& header) override;
  void OnDropDownClosed() override;

 private:
  DateEditor(ListModel* model, HWND hwnd, HWND box, unsigned serial)
      : InPlaceEditor(model, hwnd), m_box(box), m_serial(serial) {}
  // The window is the picker, its calendar, or inside one of them: the focus going there is
  // part of the edit.
  bool IsOwnWindow(HWND window) const;
  bool KeepsEditWhenFocusGoesTo(HWND window) const override { return IsOwnWindow(window); }

  HWND m_box;
  unsigned m_serial;
  bool m_droppedDown = false;
  bool m_picked = false;
};

}  // namespace quarn::win32
