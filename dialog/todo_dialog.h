#pragma once
// The to-do dialog's logic: the two list boxes, the no-date flag, the input mode and item
// colours, and moving lists and items between the boxes and their files. It is portable: the
// window is reached through WindowOps, the boxes through the list-control library, the host
// through IHostServices. One object lives for each tool window, on the tool thread.

#include <atomic>
#include <memory>
#include <string>

#include "dialog/window_ops.h"
#include "contract/host_services.h"
#include "quarnctrl/quarn_ctrl.h"
#include "storage/files.h"
#include "storage/list_file_as_read.h"
#include "storage/list_file_format.h"

namespace todo {

// What the entry row adds to: lists or the selected list's items. Inside the dialog a mode is
// this value; its name is used only where the host hands one over or asks for it.
enum class InputMode { List, Item };

// The two mode names, as GetInputMode hands them out and SetInputMode takes them.
extern const char kListModeName[];  // "ﾘｽﾄ一覧"
extern const char kItemModeName[];  // "ｱｲﾃﾑ一覧"

// Text colours of item rows.
constexpr COLORREF kColourDone = RGB(155, 155, 155);
constexpr COLORREF kColourNoDate = RGB(55, 0, 0);
constexpr COLORREF kColourOverdue = RGB(155, 100, 255);
constexpr COLORREF kColourDueToday = RGB(255, 0, 0);
constexpr COLORREF kColourDueLater = RGB(0, 0, 0);

// The item-count line under the item box: "登録ｱｲﾃﾑ： <count> 件".
std::string ItemCountLine(int count);

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
  CQuarnImageListBox* ListNameBox() const { return m_listNames.get(); }
  CQuarnToDoListBox* ItemBox() const { return m_items.get(); }
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
  // item box is emptied. Returns 1; 0 when the save failed, so that the selection stays and
  // the items that could not be written are not thrown away.
  int OnLeaveList();
  // The list-name box's selection arrived at a list: its items are loaded and the item count
  // repainted. Returns 0.
  int OnLoadList();
  // An item was edited in place: the selected row is coloured again. Returns 1.
  int OnItemEdited();
  // A list's name was edited in place: answers 1 to let the box store the new name, 0 to keep
  // the old one.
  int OnListNameEdited();

  // Whether the list loaded last is a no-date list.
  bool NoDate() const { return m_noDate; }

  // Copies the current mode's name (with its terminating zero) into `buffer`, which holds at
  // least 9 bytes: list mode while the list-mode button is checked, else item mode.
  void GetInputMode(char* buffer);
  bool InListMode();
  // Applies the named mode to the entry row; any other text changes nothing.
  void SetInputMode(const char* mode);
  // Applies `mode` to the entry row: list mode takes the no-date box and leaves the date
  // picker off, item mode shows the loaded list's kind with both boxes off but the picker.
  void ApplyInputMode(InputMode mode);
  // Colours item row `row` by its done mark, the no-date flag and its due date against
  // today's UTC date. A bad row or a missing item box changes nothing.
  void ColourItem(int row);
  // The same with today's date given as the item box packs dates, for colouring many rows.
  void ColourItem(int row, DWORD today);

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

  // The window is about to close. GiveUpInPlaceEdits ends an open in-place edit without
  // storing it. SaveBeforeClose saves the selected list; a save that fails is tried again a
  // few times (a reader such as the search may hold the file for a moment), and when it still
  // fails the user is asked whether to try once more or close without saving, until it is
  // saved or the user says No. Returns false only when the user chose to lose the changes.
  void GiveUpInPlaceEdits();
  bool SaveBeforeClose();
  // The window is gone: the selected list is saved unless SaveBeforeClose saved it already
  // (`listSaved`), then the list names, in this order, so that the order file never names a
  // list whose items are still unsaved.
  void SaveOnClose(bool listSaved);

  // Shows a message box with the busy flag set while it is open.
  MessageAnswer Ask(const char* text, MessageButtons buttons, MessageIcon icon);

  // --- The commands of the window's buttons ---
  // Each reads the input mode afresh and acts on the list-name box in list mode, on the item
  // box in item mode; every message box goes through Ask. The boxes raise no events for the
  // program's changes, so a command that changes which list is selected saves and loads by
  // itself: afterwards the item box holds the selected list's items, or nothing when no list
  // is selected. No command writes one list's items into another list's file or leaves a
  // removed list's file behind.
  //
  // Add (button 1065) and Add-at-bottom (1066). List mode: a new list named by the text box
  // (its first 249 bytes as one line) goes to the top / the bottom of the list-name box with
  // a new file (empty, or only the no-date marker when the no-date box is checked); the list
  // selected before is saved first, and the new, empty list is selected and loaded. A name
  // that is empty, cannot name a file, is taken by a list (letter case aside) or by a file, or
  // whose file cannot be made is refused with a message. Item mode: the text box's first 253
  // bytes as one line, with the date picker's date, go to the top / the bottom of the item
  // box of the selected list; without a selected list or a text, a message. A success
  // empties and focuses the text box and repaints the item count; a refusal keeps the text.
  void OnAdd();
  void OnAddAtBottom();
  // Move-up (1076) and Move-down (1077): the selected entry changes places with the one
  // above / below it and stays selected; a moved item is coloured again. No file changes and
  // the item box keeps showing the selected list. Nothing happens without a selection or at
  // the box's end.
  void OnMoveUp();
  void OnMoveDown();
  // Delete (1078): after a Yes to its question, removes the selected entry. A deleted list's
  // file is deleted at once, no list is selected afterwards and the item box is emptied
  // without saving; after an item, the item now at its place (else the new last) is selected.
  void OnDelete();
  // Clear (1079): after a Yes to its question, empties the mode's box; in list mode every
  // list's file is deleted and the item box emptied too.
  void OnClear();
  // The text box lost the focus: a text longer than the current mode's Add takes (249 bytes
  // in list mode, 253 in item mode, counted as one line) is cut to it at a character
  // boundary and put back, the text box gets the focus again and a message says so.
  void OnTextBoxKillFocus();

 private:
  // The text column's width in a dated list; a no-date list hides the date column.
  static constexpr int kTextColumnWidth = 320;

  WindowOps& m_window;
  // The data folder as the host names it now, or null.
  const char* DataFolder() const;
  // The file of list-name box row `row`; empty when its name names no file in the list
  // folder, which the tool then never touches.
  std::string ListFilePathOf(int row) const;
  enum class SaveOutcome {
    kNoList,    // no list is selected
    kSaved,     // the selected list's file holds the item box now
    kNotSaved,  // deliberately not written: the list's file could not be read when loaded
    kFailed,    // the file could not be written; it is as it was
  };
  SaveOutcome SaveSelectedList();
  // The record item row `row` is saved as.
  storage::ListRecord RecordOfItem(int row) const;
  // Whether the item box holds what m_asRead holds, in the same order, with the same kind.
  bool ItemsAreAsRead() const;
  // Whether a list is selected whose items a save would write: its name names a file in the
  // list folder, and that file could be read when the list was loaded.
  bool SelectedListCanBeSaved() const;
  // Whether anything exists at `path` (a file that cannot be opened counts as existing).
  bool FileExists(const std::string& path);
  // Whether a list other than row `except` (-1: none) has `name`, letter case aside: on
  // Windows two such names name one file. The one rule of Add and of in-place renames.
  bool ListNameTaken(const std::string& name, int except) const;
  // Applies a loaded list's kind to the text column and the entry row.
  void ApplyListKind(bool noDate);
  // Helpers of the button commands.
  // The message that refuses a new list of this name, or null; then *path is its file. Only
  // looks: nothing is made or changed.
  const char* RefusalOfNewList(const std::string& name, std::string* path);
  void AddList(bool atBottom);
  void AddItemFromTextBox(bool atBottom);
  // Makes the empty file of a new list at `path`, holding the no-date marker when `noDate`;
  // false (and no file left) when it cannot be made whole.
  bool CreateListFile(const std::string& path, bool noDate);
  // What every successful add ends with: the text box emptied and focused, the count redrawn.
  void FinishAdd();
  // Moves the selected entry of the mode's box `step` places (-1 up, +1 down).
  void MoveSelected(int step);
  void DeleteSelectedList();
  void DeleteSelectedItem();
  void ClearLists();
  void ClearItems();

  IHostServices* m_host;
  storage::Files& m_files;
  std::atomic<int>& m_busy;
  std::unique_ptr<CQuarnImageListBox, CQuarnBoxDeleter> m_listNames;
  std::unique_ptr<CQuarnToDoListBox, CQuarnBoxDeleter> m_items;
  HBITMAP m_listBitmap = nullptr;
  bool m_noDate = false;
  // The file of the list loaded last when it exists but could not be read: saving the empty
  // item box over it would destroy the items it holds, so it is not saved.
  std::string m_unreadableFile;
  // The file the item box was read from or saved to last, and its content as stored then:
  // saving gives unchanged items their lines as stored.
  std::string m_asReadPath;
  storage::ListFileAsRead m_asRead;
};

}  // namespace todo
