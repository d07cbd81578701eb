#pragma once
// The to-do dialog's logic: the two list boxes, the no-date flag, the input mode and item
// colours, and moving lists and items between the boxes and their files. It is portable: the
// window is reached through WindowOps, the boxes through the list-control library, the host
// through IHostServices. One object lives for each tool window, on the tool thread.

#include <atomic>
#include <memory>
#include <string>

#include "dialog/window_ops.h"
#include "plugin/host_services.h"
#include "quarnctrl/quarn_ctrl.h"
#include "storage/files.h"

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
  // `host` may be null (then no list can be loaded or saved); `busy` is the tool's busy flag.
  ToDoDialog(WindowOps& window, IHostServices* host, storage::Files& files, std::atomic<int>& busy);
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

  // Sets both boxes up as the tool window shows them (lines, header, editing, column labels
  // and widths, fonts, row heights) and registers the dialog's handlers of their events.
  // `nameFont` is the 15-pixel font, `itemFont` the 14-pixel one (not owned).
  void ConfigureBoxes(HFONT nameFont, HFONT itemFont);

  // Mode switching: the mode buttons clicked, and the boxes activated by the user. Each
  // applies its mode to the entry row and empties the text box.
  void OnListModeClicked();
  void OnItemModeClicked();
  int OnListBoxActivated();
  int OnItemBoxActivated();
  // The list-name box's selection leaves a list: its items are saved to its file and the
  // item box is emptied. Returns 1.
  int OnLeaveList();
  // The list-name box's selection arrived at a list: its items are loaded and the item count
  // repainted. Returns 0.
  int OnLoadList();
  // An item was edited in place: the selected row is coloured again. Returns 1.
  int OnItemEdited();
  // A list's name was edited in place: answers 1 to let the box store the new name, 0 to keep
  // the old one.
  int OnListNameEdited();

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

  // Fills the list-name box from the list-order file (list bitmap, data 0); no list is
  // selected afterwards. A missing or unreadable file leaves the box empty. Makes the data
  // folder the process's current folder.
  void LoadListNames();
  // Writes the list-name box's names to the list-order file, in one step; a failed save
  // leaves the old file. Makes the data folder the process's current folder.
  void SaveListNames();
  // Appends the selected list's items to the item box, colours them, and sets the no-date
  // flag, the text column's width and the entry row's date controls from the file. Returns 1
  // when the file held anything, 0 when no list is selected, the file is empty or missing
  // (then the list counts as an empty dated list) or could not be read (then nothing changes).
  int LoadCurrentList();
  // Writes the item box to the selected list's file in one step. Returns 1 when it was
  // written, 0 when no list is selected or the save failed (the old file is then unchanged).
  int SaveCurrentList();

  // Shows a message box with the busy flag set while it is open.
  MessageAnswer Ask(const char* text, MessageButtons buttons, MessageIcon icon);

 private:
  WindowOps& m_window;
  // The data folder as the host names it now, or null.
  const char* DataFolder() const;
  // The file of list-name box row `row`.
  std::string ListFilePathOf(int row) const;
  // Whether anything exists at `path` (a file that cannot be opened counts as existing).
  bool FileExists(const std::string& path);
  // Applies a loaded list's kind to the text column and the entry row.
  void ApplyListKind(bool noDate);

  IHostServices* m_host;
  storage::Files& m_files;
  std::atomic<int>& m_busy;
  CQuarnImageListBox* m_listNames = nullptr;
  CQuarnToDoListBox* m_items = nullptr;
  HBITMAP m_listBitmap = nullptr;
  int m_noDate = 0;
  // The file of the list loaded last when it exists but could not be read: saving the empty
  // item box over it would destroy the items it holds, so it is not saved.
  std::string m_unreadableFile;
};

}  // namespace todo
