#pragma once
// The window of a list box: a child window of the library's own class that paints the
// model's rows, turns the mouse, the wheel and the keyboard into the model's user actions,
// and puts the in-place editors over cells. It is the model's front (quarn::ListView).
//
// What a press does, as the headless front does it: an open editor is ended (stored) first;
// then event 1; then the box takes the focus; then the model is told which row and column
// were pressed and whether the box had the focus. A press the model answers with
// EditPending starts a timer of the double-click time; a double-click cancels it, and when
// it runs out the edit of that cell begins if its row is still selected and the box still
// has the focus. The focus coming back from the box's own editor, or taken by a press, does
// not count as the user activating the box; the focus coming from anywhere else does.
//
// For screen readers the window answers WM_GETOBJECT with its accessible object (see
// BoxAccessible) and tells what changes as win events: the focus, the selection, rows that
// came, went or were all replaced, and stored edits.

#include <windows.h>

#include <memory>

#include "framework/fw_com.h"
#include "quarnctrl/quarn_model.h"
#include "quarnctrl/win32/box_accessible.h"
#include "quarnctrl/win32/inplace_editor.h"
#include "quarnctrl/win32/list_layout.h"

namespace quarn::win32 {

class ListWindow final : public ListView, private AccessibleSource {
 public:
  static constexpr char kClassName[] = "QuarnListCtrl";
  // Private message: do the default action of row wParam, asked for while the rows were as
  // the serial number lParam says.
  static constexpr UINT kDefaultAction = WM_APP + 0x52;

  // Registers the window class with this module's instance unless it is registered already,
  // and makes sure the common controls the editors use exist. False when that failed.
  static bool RegisterWindowClass();
  // Removes the window class (when the module is unloaded).
  static void UnregisterWindowClass();

  // Makes the window, a visible child of `parent` covering `rect` (parent client pixels).
  // Hwnd() is null when it could not be made.
  ListWindow(ListModel* model, HWND parent, const RECT& rect);
  ~ListWindow() override;
  ListWindow(const ListWindow&) = delete;
  ListWindow& operator=(const ListWindow&) = delete;

  HWND Hwnd() const override { return m_hwnd; }

  // --- ListView ---
  void Invalidate() override;
  void InvalidateRow(int row) override;
  void ScrollIntoView(int row) override;
  int VisibleRows() const override;
  void OpenEditor(int row, QuarnColumn column) override;
  void CloseEditor() override;
  void SetFont(HFONT font, bool redraw) override;
  void Destroy() override;
  void RowInserted(int row) override;
  void RowsAppended(int first, int count) override;
  void RowRemoved(int row) override;
  void RowsReset() override;
  void SelectionMoved(int row) override;
  void RowChanged(int row, RowPart part) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  // Painting and scrolling (list_window.cpp).
  ListLayout Layout() const override;
  HFONT Font() const;
  // Draws the part `area` of the client area (null: all of it) into dc.
  void Paint(HDC dc, const RECT* area = nullptr);
  void OnPaint();
  void SyncScrollBar();
  void ScrollTo(int top);
  void OnVScroll(int code);
  void OnMouseWheel(int delta);

  // Input and editors (list_window_input.cpp).
  bool HasFocusWithin() const override;
  void TakeFocusQuietly();
  void OnPress(POINT point, bool doubleClick);
  bool OnTimer(UINT_PTR id);
  void CancelPendingEdit();
  void OnSetFocus(HWND previous);
  bool OnKeyDown(WPARAM key);
  void OnNotify(const NMHDR& header);
  void OnDropDownClosed(unsigned serial);
  RECT EditorCell(int row, QuarnColumn column) const;
  void PlaceEditor();
  void DiscardEditor();
  void OnDefaultAction(int row, unsigned serial);

  // Screen readers (list_window_access.cpp).
  const ListModel& Model() const override { return *m_model; }
  bool DatesShown() const override;
  bool RequestDefaultAction(int row) override;
  LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
  void DisconnectAccessible();
  void Notify(DWORD event, LONG child) const;
  void NotifyFocus() const;

  ListModel* m_model;
  HWND m_hwnd = nullptr;
  HFONT m_font = nullptr;  // not owned; null means the system's GUI font
  int m_top = 0;           // first row shown
  bool m_paintPending = false;
  int m_wheelRest = 0;        // wheel movement not yet turned into whole rows
  bool m_quietFocus = false;  // the focus change under way is the box's own doing
  bool m_destroying = false;
  bool m_editPending = false;
  int m_pendingRow = -1;
  QuarnColumn m_pendingColumn = QUARN_COLUMN_TEXT;
  std::unique_ptr<InPlaceEditor> m_editor;
  unsigned m_editorSerial = 0;
  // What the scroll bar was last given, so it is set only when something changed.
  int m_barCount = -1;
  int m_barPage = -1;
  int m_barTop = -1;
  // The object given to screen readers, made when one first asks; disconnected when the
  // window goes. The thread is in a COM apartment while the object may be in use.
  fw::ComPtr<BoxAccessible> m_accessible;
  std::unique_ptr<fw::ComApartment> m_apartment;
  unsigned m_rowsSerial = 0;  // changes whenever rows come or go, so row numbers change
};

}  // namespace quarn::win32
