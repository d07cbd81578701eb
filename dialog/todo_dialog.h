#pragma once
// The to-do dialog's logic: the two list boxes, the no-date flag, the input mode and item
// colours, and moving lists and items between the boxes and their files. It is portable: the
// window is reached through WindowOps, the boxes through the list-control library, the host
// through IHostServices. One object lives for each tool window, on the tool thread.

#include <atomic>
#include <memory>

#include "dialog/window_ops.h"
#include "plugin/host_services.h"
#include "quarnctrl/quarn_ctrl.h"

namespace todo {

// The two mode names, as GetInputMode hands them out and SetInputMode takes them.
extern const char kListModeName[];  // "ﾘｽﾄ一覧"
extern const char kItemModeName[];  // "ｱｲﾃﾑ一覧"

// Text colours of item rows.
constexpr COLORREF kColourDone = RGB(155, 155, 155);
constexpr COLORREF kColourNoDate = RGB(55, 0, 0);
constexpr COLORREF kColourOverdue = RGB(155, 100, 255);
constexpr COLORREF kColourDueToday = RGB(255, 0, 0);
constexpr COLORREF kColourDueLater = RGB(0, 0, 0);

class ToDoDialog {
 public:
  ToDoDialog(WindowOps& window, IHostServices* host, std::atomic<int>& busy);
  ~ToDoDialog();
  ToDoDialog(const ToDoDialog&) = delete;
  ToDoDialog& operator=(const ToDoDialog&) = delete;

  // Takes ownership of the two boxes (either may be null) and remembers the list bitmap that
  // list rows show (not owned).
  void AttachBoxes(CQuarnImageListBox* listNames, CQuarnToDoListBox* items, HBITMAP listBitmap);
  // Destroys and deletes both boxes; afterwards the dialog has none.
  void ReleaseBoxes();
  CQuarnImageListBox* ListNameBox() const { return m_listNames; }
  CQuarnToDoListBox* ItemBox() const { return m_items; }
  HBITMAP ListBitmap() const { return m_listBitmap; }

  // 1 while the list loaded last is a no-date list.
  int NoDateFlag() const { return m_noDate; }

  // Copies the current mode's name (with its terminating zero) into `buffer`, which holds at
  // least 9 bytes: list mode while the list-mode button is checked, else item mode.
  void GetInputMode(char* buffer);
  bool InListMode();
  // Applies the named mode to the entry row; any other text changes nothing.
  void SetInputMode(const char* mode);
  // Colours item row `row` by its done mark, the no-date flag and its due date against
  // today's UTC date. A bad row or a missing item box changes nothing.
  void ColourItem(int row);

  // Shows a message box with the busy flag set while it is open.
  MessageAnswer Ask(const char* text, MessageButtons buttons, MessageIcon icon);

 private:
  WindowOps& m_window;
  IHostServices* m_host;
  std::atomic<int>& m_busy;
  CQuarnImageListBox* m_listNames = nullptr;
  CQuarnToDoListBox* m_items = nullptr;
  HBITMAP m_listBitmap = nullptr;
  int m_noDate = 0;
};

}  // namespace todo
