#pragma once
// The to-do dialog's logic: the commands of the tool window's buttons and what happens when
// the user works in the two list boxes. It holds the parts that do the work, each with a job
// of its own: the entry row and its mode (entry_row.h), the list-name side and the item side
// with their boxes (list_name_side.h, item_side.h), and the gate to the lists' files
// (list_folder_gate.h). It is portable: the window is reached through WindowOps, the boxes
// through the list-control library, the host through IHostServices. One object lives for each
// tool window, on the tool thread.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "contract/host_services.h"
#include "dialog/command_keys.h"
#include "dialog/entry_row.h"
#include "dialog/item_side.h"
#include "dialog/list_folder_gate.h"
#include "dialog/list_name_side.h"
#include "dialog/sync_signals.h"
#include "dialog/undo_history.h"
#include "dialog/window_ops.h"
#include "quarnctrl/quarn_ctrl.h"
#include "storage/files.h"

namespace todo {

// The item-count line under the item box: "登録ｱｲﾃﾑ： <count> 件".
std::string ItemCountLine(int count);

class ToDoDialog : private UndoContext {
 public:
  // `host` may be null (then no list can be loaded or saved); `busy` is the tool's busy flag.
  ToDoDialog(WindowOps& window, IHostServices* host, storage::Files& files, std::atomic<int>& busy);
  ~ToDoDialog() override;
  ToDoDialog(const ToDoDialog&) = delete;
  ToDoDialog& operator=(const ToDoDialog&) = delete;

  // Takes ownership of the two boxes (either may be null) and remembers the list bitmap that
  // list rows show (not owned).
  void AttachBoxes(CQuarnImageListBox* listNames, CQuarnToDoListBox* items, HBITMAP listBitmap);
  // Destroys and deletes both boxes, the list-name box first; afterwards the dialog has none.
  void ReleaseBoxes();
  CQuarnImageListBox* ListNameBox() const { return m_names.Box(); }
  CQuarnToDoListBox* ItemBox() const { return m_items.Box(); }

  // Sets both boxes up as the tool window shows them (lines, header, editing, column labels
  // and widths, fonts, row heights) and registers the dialog's handlers of their events.
  // `nameFont` is the 15-pixel font, `itemFont` the 14-pixel one (not owned).
  void ConfigureBoxes(HFONT nameFont, HFONT itemFont);

  // The mode buttons were clicked: the mode is applied to the entry row and the text box
  // emptied.
  void OnListModeClicked();
  void OnItemModeClicked();
  // Copies the current mode's name (with its terminating zero) into `buffer`, which holds at
  // least 9 bytes: list mode while the list-mode button is checked, else item mode.
  void GetInputMode(char* buffer);
  // Applies the named mode to the entry row; any other text changes nothing.
  void SetInputMode(const char* mode);

  // Whether the list loaded last is a no-date list.
  bool NoDate() const { return m_items.NoDate(); }
  // Colours item row `row` by its done mark, the no-date flag and its due date against
  // today's UTC date. A bad row or a missing item box changes nothing.
  void ColourItem(int row);

  // Fills the list-name box from the list-order file (list bitmap, data 0), starts the
  // history afresh and watches the list folder; no list is selected afterwards. A missing or
  // unreadable file leaves the box empty. Makes the data folder the process's current folder.
  void LoadListNames();
  // Brings the list-order file in step with the list-name box (as SaveCurrentList does for a
  // list), waiting a moment for a file or lock another program holds. Makes the data folder
  // the process's current folder.
  void SaveListNames();
  // Appends the selected list's items to the item box, colours them, and sets the no-date
  // flag, the text column's width and the entry row's date controls from the file. Returns 1
  // when the file held anything, 0 when no list is selected, the file is empty or missing
  // (then the list counts as an empty dated list) or could not be read (then nothing changes).
  int LoadCurrentList();
  // Brings the selected list's file in step with the item box, and the list-order file with
  // the list-name box, each in one step, holding the list folder's lock meanwhile. What
  // another program changed in a file since the window read or wrote it last is never written
  // over: when the window changed nothing, nothing is written and the window shows what the
  // file holds now (for the items, one step of the history); when both changed, the two are
  // merged (storage/list_merge.h), the merge is written and shown, and a conflict is told soon
  // after. Returns 1 when the selected list's file holds what the item box shows, 0 when no
  // list is selected or that could not be done (the file or the lock was held, the file could
  // not be read or written, or it is missing for a moment); the old file is then unchanged.
  int SaveCurrentList();

  // --- Keeping the files and the window in step ---
  // The shell's timer and folder watch (not owned). Without them (null, as at first), files
  // are written only on the save occasions, and changes made outside are found only then.
  void SetSyncSignals(SyncSignals* signals) { m_signals = signals; }
  // The timer asked for has run out. The files are brought in step as SaveCurrentList does,
  // never waiting for a file or lock that another program holds; what could not be done yet
  // (such a file or lock, a list file missing for a moment as when a synchronising program
  // replaces it) is tried again a moment later, as is all of it while a message box or an
  // in-place edit is open. A conflict found by a merge is told.
  void OnSyncTimer();
  // Files in the list folder changed (`names`; none: any may have): they are compared with the
  // window a moment later. A conflicted copy that a folder-synchronising program left beside
  // a list's file (storage/conflict_copies.h) is merged into that list the same way, and
  // renamed so that it is not merged twice; it is never deleted.
  void OnFolderChanged(const std::vector<std::string>& names = {});

  // The window is about to close. GiveUpInPlaceEdits ends an open in-place edit without
  // storing it. SaveBeforeClose saves the selected list and the list names; a save that fails
  // (a file or the folder's lock held by another program) is tried again a
  // few times (a reader such as the search may hold the file for a moment), and when it still
  // fails the user is asked whether to try once more or close without saving, until it is
  // saved or the user says No. Returns false only when the user chose to lose the changes.
  void GiveUpInPlaceEdits();
  bool SaveBeforeClose();
  // The window is gone: the selected list is saved unless SaveBeforeClose saved it already
  // (`listSaved`), then the list names, in this order, so that the order file never names a
  // list whose items are still unsaved. A list file missing now counts as removed.
  void SaveOnClose(bool listSaved);

  // --- The commands of the window's buttons ---
  // Each reads the input mode afresh and acts on the list-name box in list mode, on the item
  // box in item mode; every message box is shown with the busy flag set. The boxes raise no
  // events for the program's changes, so a command that changes which list is selected saves
  // and loads by itself: afterwards the item box holds the selected list's items, or nothing
  // when no list is selected. No command writes one list's items into another list's file or
  // leaves a removed list's file behind.
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
  // A command's key was pressed with the focus at `focus` (command_keys.h): the command runs
  // as its button's click does. An add from the text box first runs the text box's length
  // check, and adds nothing when the check cut the text.
  void OnCommandKey(Command command, FocusPlace focus);
  // Undo (Ctrl+Z) takes back the latest change the user made in the window that is not taken
  // back yet: an add, move, delete, clear, rename or in-place edit of an item, in either box;
  // Redo (Ctrl+Y) does the latest step taken back again. Everything is put back as it was: the
  // rows, the selection, and the files of lists that were added, removed or renamed (item
  // changes reach their list's file at the next save, as every item change does). A step that
  // cannot be taken back or done again (a file of that name exists now, a file cannot be
  // written) changes nothing, a message says so, and the step stays in the history.
  void OnUndo();
  void OnRedo();

 private:
  // The handlers of the boxes' events (box_events.cpp), registered by ConfigureBoxes.
  struct BoxEvents;
  // A box was activated by the user: its mode is checked and applied. Returns 1.
  int OnListBoxActivated();
  int OnItemBoxActivated();
  // The list-name box's selection leaves a list: its items are saved to its file and the
  // item box is emptied. Returns 1; 0 when the save failed, so that the selection stays and
  // the items that could not be written are not thrown away.
  int OnLeaveList();
  // The list-name box's selection arrived at a list: its items are loaded and the item count
  // repainted. Returns 0.
  int OnLoadList();
  // An in-place edit of an item begins: the row is remembered as it stands. Returns 0.
  int OnItemEditBegins();
  // An item was edited in place: the selected row is coloured again, and the change becomes a
  // step of the history. Returns 1.
  int OnItemEdited();
  // A list's name was edited in place: answers 1 to let the box store the new name, 0 to keep
  // the old one. A new name stored becomes a step of the history.
  int OnListNameEdited();
  // The answer of OnListNameEdited for the edited name `edited`.
  int AnswerRename(const char* edited);

  // Shows a message box with the busy flag set while it is open.
  MessageAnswer Ask(const char* text, MessageButtons buttons, MessageIcon icon);
  // The mode applied to the entry row, with the loaded list's kind.
  void ApplyInputMode(InputMode mode);

  // The file of list-name box row `row`; empty when its name names no file in the list
  // folder, which the tool then never touches.
  std::string ListFilePathOf(int row) const;

  // Bringing the files in step with the window (disk_sync.cpp).
  enum class SyncOccasion {
    kTimer,  // never waits for a held file or lock; a missing list file is waited for
    kUser,   // a save occasion: waits a moment for a held file or lock
    kClose,  // as kUser, and a list file missing now counts as removed
  };
  enum class SaveOutcome {
    kNoList,    // no list is selected
    kInStep,    // the selected list's file holds what the item box shows
    kNotSaved,  // deliberately not written: the list's file could not be read when loaded
    kWaiting,   // its file is missing for a moment, or the lock is held: tried again later
    kFailed,    // the file could not be read or written; it is as it was
  };
  // The selected list's file brought in step, with the folder's lock taken here.
  SaveOutcome SaveSelectedList(SyncOccasion occasion);
  // Both files brought in step under one lock: what became of the list's, and *namesInStep.
  SaveOutcome SyncFiles(SyncOccasion occasion, bool* namesInStep);
  // The selected list is about to be left: its file is brought in step. False when leaving it
  // would lose items the window changed (they could not be written yet).
  bool LeaveSelectedList();
  // The selected list's file, with the lock held.
  SaveOutcome SyncShownList(SyncOccasion occasion);
  // The list-order file, with the lock held; true when in step.
  bool SyncNames(SyncOccasion occasion);
  // Whether the item box shows what the selected list's file held when read or written last.
  bool ShownListUnchanged();
  // Whether the rows may differ from what the shown list's file held when read or written last:
  // the user changed something since.
  bool ItemsChangedSinceSaved() const { return m_changes != m_changesSaved; }
  // The timer's save of the shown list, on another thread, when the rows changed since the
  // last save and nothing is known to have changed outside; the list names first, with the
  // lock. False when it did not start (then the save is done as any other).
  bool StartBackgroundSave();
  // The shown list's file holds the rows as they stand.
  void MarkShownListSaved();
  // Asks the timer again in `delayMs`.
  void Retry(int delayMs);
  // The item box shows `file`, what the selected list's file `path` holds now (`exists`
  // false: it is gone): its kind, its items and, where it can be, the same item selected.
  // `placeOfRow` gives the row each row of the box goes to (null: the first of its equal
  // records, else the same row). A change of the rows becomes one step of the history.
  void ShowFromDisk(const std::string& path, storage::ListFileAsRead file, bool exists,
                    const std::vector<std::int32_t>* placeOfRow);
  // The list-name box shows `names`, the selected list staying selected while it is there.
  void ShowNames(const std::vector<std::string>& names);
  // A change the user made is saved once a second has passed without another.
  void ChangedByUser();
  // Merges the conflicted copies seen since the last look into their lists (conflict_copies.cpp),
  // with the lock held; the shown list must be in step with its file.
  void MergeConflictCopies();
  // Merges `copy` into the shown list (file `path`) / into the file of a list not shown. False
  // when it could not be written yet.
  bool MergeCopyIntoShownList(const std::string& path, const storage::ListFileAsRead& copy);
  bool MergeCopyIntoFile(const std::string& path, const storage::ListFileAsRead& copy);
  // Tells the user of the conflicts found since last told: at once, or from the timer when
  // the caller is in the middle of something.
  void TellOfConflicts();
  void TellOfConflictsSoon();

  // Whether a list is selected whose items a save would write: its name names a file in the
  // list folder, and that file could be read when the list was loaded.
  bool SelectedListCanBeSaved() const;
  // Records `step` in the history; a change the user made, it is saved soon.
  void RecordStep(std::unique_ptr<UndoStep> step);
  // Takes a loaded list's kind into the item side and the entry row.
  void ApplyListKind(bool noDate);

  // The text box's length check: a text longer than the mode's Add takes is cut and put back,
  // with a message. True when it was cut.
  bool CutTooLongText();

  // Helpers of the button commands.
  // The message that refuses a new list of this name, or null; then *path is its file. Only
  // looks: nothing is made or changed.
  const char* RefusalOfNewList(const std::string& name, std::string* path);
  void AddList(bool atBottom);
  void AddItemFromTextBox(bool atBottom);
  // What every successful add ends with: the text box emptied and focused, the count redrawn.
  void FinishAdd();
  // Moves the selected entry of the mode's box `step` places (-1 up, +1 down).
  void MoveSelected(int step);

  // The history's context (undo_step.h, undo_commands.cpp).
  ListNameSide& Names() override { return m_names; }
  ItemSide& Items() override { return m_items; }
  DWORD Today() override;
  bool SwitchToList(const std::string& name) override;
  RemovedList TakeList(int row) override;
  bool PutBackLists(const std::vector<RemovedList>& lists) override;
  bool MoveListFile(const std::string& from, const std::string& to) override;
  // The selected list's name; empty when none is selected.
  std::string SelectedListName() const;
  void DeleteSelectedList();
  void DeleteSelectedItem();
  void ClearLists();
  void ClearItems();

  WindowOps& m_window;
  std::atomic<int>& m_busy;
  EntryRow m_entry;
  ListFolderGate m_gate;
  ListNameSide m_names;
  ItemSide m_items;
  UndoHistory m_history;
  SyncSignals* m_signals = nullptr;
  // What the timer asked for is waiting for: nothing, a save after the user's change, or a
  // look at the files (after a change in the folder, or to try again).
  enum class TimerFor { kNothing, kSave, kLook } m_timerFor = TimerFor::kNothing;
  // Timer runs in a row that found the shown list's file / the list-order file missing.
  int m_listMissingRuns = 0;
  // The shown list's rows as a save views them (valid only within that save), kept so that the
  // next save of a long list takes no new memory for them.
  storage::ListToWrite m_shownRows;
  int m_namesMissingRuns = 0;
  // Changes the user made (counted), and how many of them the shown list's file holds.
  unsigned m_changes = 0;
  unsigned m_changesSaved = 0;
  // The count a save running on another thread will hold once it has written.
  unsigned m_changesInBackground = 0;
  // A save on another thread found the file changed outside or could not write: the timer
  // saves here until it has brought the list in step.
  bool m_saveHere = false;
  // Conflicts found by merges and not told yet.
  std::size_t m_conflictsToTell = 0;
  // Files of the list folder to look at for conflicted copies, and whether to look at all of
  // them (when the window opens, and when the changes were too many to name).
  std::set<std::string> m_copiesToLook;
  bool m_lookAtAllFiles = false;
  // The item row an in-place edit began on, as it stood then, and its list.
  int m_editRow = -1;
  ItemRow m_editBefore;
  std::string m_editList;
};

}  // namespace todo
