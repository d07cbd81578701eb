// Keeping the lists' files and the window in step: a change the user made reaches the disk a
// second later, a change another program made shows in the window, and when both changed a
// file the two are merged, never one written over the other.

#include <string>
#include <utility>
#include <vector>

#include "dialog/todo_dialog.h"
#include "storage/list_merge.h"

namespace todo {

namespace {

// How long after the user's last change the files are written.
constexpr int kSaveDelayMs = 1000;
// How long after a change in the folder the files are looked at: the change notices of one
// save come in a burst.
constexpr int kLookDelayMs = 200;
// How long before what could not be done yet is tried again.
constexpr int kRetryDelayMs = 500;
// How often a save on another thread is looked at until it has ended.
constexpr int kBackgroundPollMs = 20;
// Timer runs in a row that must find a shown file missing before it counts as removed:
// programs that synchronise folders delete a file and write it again a moment later.
constexpr int kMissingFileRuns = 6;

const char kConflictMessage[] =
    "他のプログラムでも同じアイテムが変更されていました！\n両方の内容を残しました。";

storage::IfHeld IfHeldOn(bool timer) {
  return timer ? storage::IfHeld::kFailAtOnce : storage::IfHeld::kWaitAMoment;
}

}  // namespace

void ToDoDialog::RecordStep(std::unique_ptr<UndoStep> step) {
  m_history.Record(std::move(step));
  ChangedByUser();
}

void ToDoDialog::ChangedByUser() {
  ++m_changes;
  if (m_signals == nullptr) return;
  m_timerFor = TimerFor::kSave;
  m_signals->StartTimer(kSaveDelayMs);
}

void ToDoDialog::OnFolderChanged(const std::vector<std::string>& names) {
  if (names.empty()) m_lookAtAllFiles = true;
  m_copiesToLook.insert(names.begin(), names.end());
  // A save waiting for the user's quiet looks at the files anyway.
  if (m_signals == nullptr || m_timerFor != TimerFor::kNothing) return;
  m_timerFor = TimerFor::kLook;
  m_signals->StartTimer(kLookDelayMs);
}

void ToDoDialog::OnSyncTimer() {
  m_timerFor = TimerFor::kNothing;
  // Under a message box the command that opened it goes on afterwards, and an in-place edit
  // would be given up by a change of the rows: both are waited for.
  const bool editing = (m_names.HasBox() && m_names.Box()->IsEditing()) ||
                       (m_items.HasBox() && m_items.Box()->IsEditing());
  if (m_busy != 0 || editing) {
    Retry(kRetryDelayMs);
    return;
  }
  if (m_gate.BackgroundSaveRunning()) {
    Retry(kBackgroundPollMs);
    return;
  }
  const BackgroundListSave::Outcome outcome = m_gate.TakeBackgroundOutcome();
  if (outcome == BackgroundListSave::Outcome::kWritten) m_changesSaved = m_changesInBackground;
  // A save on the other thread that found the file changed outside, or could not write, is
  // done here, where a merge can be shown, until the list is in step again.
  if (outcome == BackgroundListSave::Outcome::kDiskChanged ||
      outcome == BackgroundListSave::Outcome::kFailed) {
    m_saveHere = true;
  }
  if (!m_saveHere && StartBackgroundSave()) {
    Retry(kBackgroundPollMs);
    return;
  }
  bool namesInStep = false;
  const SaveOutcome list = SyncFiles(SyncOccasion::kTimer, &namesInStep);
  const bool listInStep = list != SaveOutcome::kWaiting && list != SaveOutcome::kFailed;
  if (listInStep) m_saveHere = false;
  if (!namesInStep || !listInStep) Retry(kRetryDelayMs);
  TellOfConflicts();
}

void ToDoDialog::Retry(int delayMs) {
  if (m_signals == nullptr) return;
  m_timerFor = TimerFor::kLook;
  m_signals->StartTimer(delayMs);
}

bool ToDoDialog::StartBackgroundSave() {
  if (m_signals == nullptr || !ItemsChangedSinceSaved() || !m_items.HasBox()) return false;
  const int selected = m_names.Selected();
  if (selected < 0) return false;
  const std::string path = ListFilePathOf(selected);
  if (!m_gate.MaySave(path) || m_gate.AsReadOf(path) == nullptr) return false;
  {
    const auto lock = m_gate.LockListFolder(storage::IfHeld::kFailAtOnce);
    if (lock == nullptr) return false;
    SyncNames(SyncOccasion::kTimer);
  }
  // The names as they are now may no longer show the list.
  if (m_names.Selected() < 0 || ListFilePathOf(m_names.Selected()) != path) return false;
  m_changesInBackground = m_changes;
  // The rows the box left alone at each end since it showed the file are not copied here, on
  // the window's thread: the other thread takes them from the file as read.
  auto snapshot = std::make_shared<const ItemsSnapshot>(
      m_items.Snapshot(m_gate.SharedAsReadOf(path), m_gate.AsReadNumberOf(path)));
  const std::uint64_t written = m_gate.SaveInBackground(
      *m_signals, path,
      [snapshot](const storage::ListFileAsRead& asRead) { return snapshot->ToWrite(&asRead); });
  // Once written, the file holds the rows as they are now: the box counts its changes from
  // here, against that file.
  if (written != 0) m_items.MarkShown(written);
  return true;
}

void ToDoDialog::MarkShownListSaved() {
  m_changesSaved = m_changesInBackground = m_changes;
}

ToDoDialog::SaveOutcome ToDoDialog::SaveSelectedList(SyncOccasion occasion) {
  if (m_names.Selected() < 0 || !m_items.HasBox()) return SaveOutcome::kNoList;
  if (!SelectedListCanBeSaved()) return SaveOutcome::kNotSaved;
  const auto lock = m_gate.LockListFolder(IfHeldOn(occasion == SyncOccasion::kTimer));
  if (lock == nullptr) {
    return occasion == SyncOccasion::kTimer ? SaveOutcome::kWaiting : SaveOutcome::kFailed;
  }
  const SaveOutcome outcome = SyncShownList(occasion);
  if (m_conflictsToTell != 0) TellOfConflictsSoon();
  return outcome;
}

ToDoDialog::SaveOutcome ToDoDialog::SyncFiles(SyncOccasion occasion, bool* namesInStep) {
  *namesInStep = false;
  if (!m_names.HasBox() || !m_items.HasBox()) return SaveOutcome::kNoList;
  const auto lock = m_gate.LockListFolder(IfHeldOn(occasion == SyncOccasion::kTimer));
  if (lock == nullptr) {
    return occasion == SyncOccasion::kTimer ? SaveOutcome::kWaiting : SaveOutcome::kFailed;
  }
  const SaveOutcome list = SelectedListCanBeSaved() ? SyncShownList(occasion)
                           : m_names.Selected() < 0 ? SaveOutcome::kNoList
                                                    : SaveOutcome::kNotSaved;
  // While the shown list's file is waited for, its name is too: the list-order file may be
  // replaced in the same way.
  *namesInStep = list != SaveOutcome::kWaiting && SyncNames(occasion);
  if (list != SaveOutcome::kWaiting && list != SaveOutcome::kFailed) MergeConflictCopies();
  if (m_conflictsToTell != 0 && occasion != SyncOccasion::kTimer) TellOfConflictsSoon();
  return list;
}

void ToDoDialog::SaveListNames() {
  if (!m_names.HasBox()) return;
  const auto lock = m_gate.LockListFolder(storage::IfHeld::kWaitAMoment);
  if (lock != nullptr) SyncNames(SyncOccasion::kClose);
}

bool ToDoDialog::ShownListUnchanged() {
  const int selected = m_names.Selected();
  if (selected < 0) return true;
  const storage::ListFileAsRead* asRead = m_gate.AsReadOf(ListFilePathOf(selected));
  return asRead == nullptr || m_items.Shows(*asRead);
}

ToDoDialog::SaveOutcome ToDoDialog::SyncShownList(SyncOccasion occasion) {
  const std::string path = ListFilePathOf(m_names.Selected());
  const storage::IfHeld ifHeld = IfHeldOn(occasion == SyncOccasion::kTimer);
  // Nothing may be known of the file (a list renamed in place that had none): then it is taken
  // as missing and empty when last seen, so that one another program made meanwhile is merged.
  const storage::ListFileAsRead unknown;
  const storage::ListFileAsRead* asRead = m_gate.AsReadOf(path);
  const bool asReadExists = asRead != nullptr && m_gate.AsReadExists();
  if (asRead == nullptr) asRead = &unknown;
  // A file that still holds what was read is only compared, piece by piece; one that changed
  // on disk is read whole, to be shown or merged.
  bool asWasRead = false;
  storage::OpenResult read = storage::OpenResult::kFailed;
  if (asReadExists) read = m_gate.PeekSame(path, asRead->Bytes(), &asWasRead);
  asWasRead = asWasRead && read == storage::OpenResult::kOpened;
  std::string bytes;
  if (!asWasRead) read = m_gate.Peek(path, &bytes);
  if (read == storage::OpenResult::kFailed) {
    return occasion == SyncOccasion::kTimer ? SaveOutcome::kWaiting : SaveOutcome::kFailed;
  }
  const bool exists = read == storage::OpenResult::kOpened;
  // The rows as they stand, viewed without a copy of each: compared with what was read, and
  // written from. Their list keeps its memory from save to save.
  storage::ListToWrite& shown = m_shownRows;
  bool haveShown = false;
  // The timer trusts the count of the user's changes, which spares it a look at every row of a
  // long list; a save occasion looks.
  bool unchangedHere = !ItemsChangedSinceSaved();
  const std::uint64_t asReadNumber = m_gate.AsReadNumberOf(path);
  if (occasion != SyncOccasion::kTimer) {
    m_items.ToWrite(&shown, asRead, asReadNumber);
    haveShown = true;
    unchangedHere = asRead->Holds(shown);
  }
  if (!exists && asReadExists) {
    // Programs that synchronise folders delete a file and write it again a moment later: a
    // missing file is no empty list until it has stayed missing a while, and nothing is
    // written over it meanwhile. When the window closes, it counts as removed at once.
    if (occasion == SyncOccasion::kUser ||
        (occasion == SyncOccasion::kTimer && ++m_listMissingRuns < kMissingFileRuns)) {
      return SaveOutcome::kWaiting;
    }
  }
  m_listMissingRuns = 0;

  if (asWasRead || (exists == asReadExists && bytes == asRead->Bytes())) {
    // Nobody else changed the file: the window's changes are written, if any.
    if (!unchangedHere) {
      if (!haveShown) m_items.ToWrite(&shown, asRead, asReadNumber);
      if (!m_gate.Save(path, shown, ifHeld)) return SaveOutcome::kFailed;
      m_items.MarkShown(m_gate.AsReadNumberOf(path));
    }
    MarkShownListSaved();
    return SaveOutcome::kInStep;
  }

  storage::ListFileAsRead onDisk(std::move(bytes));
  if (unchangedHere) {
    // Changed outside only: the window shows the file as it is now, and writes nothing.
    ShowFromDisk(path, std::move(onDisk), exists, nullptr);
    return m_gate.MaySave(path) ? SaveOutcome::kInStep : SaveOutcome::kNotSaved;
  }
  // A file that now holds a zero byte cannot be merged without losing the bytes after it:
  // the window keeps its items and the file is left alone.
  if (onDisk.HoldsZeroByte()) return SaveOutcome::kNotSaved;
  // Changed on both sides: merged against what was read, record by record.
  storage::ListMerge merged = storage::MergeListFiles(*asRead, m_items.Content().records, onDisk);
  std::string mergedBytes = storage::FormatListFile(merged.content, &onDisk);
  if (!m_gate.SaveBytes(path, mergedBytes, ifHeld)) return SaveOutcome::kFailed;
  m_conflictsToTell += merged.conflicts;
  ShowFromDisk(path, storage::ListFileAsRead(std::move(mergedBytes)), true, &merged.rowOfMine);
  return SaveOutcome::kInStep;
}

void ToDoDialog::ShowFromDisk(const std::string& path, storage::ListFileAsRead file, bool exists,
                              const std::vector<std::int32_t>* placeOfRow) {
  std::vector<ItemRow> before = m_items.Rows();
  const int selected = m_items.Selected();
  int toSelect = -1;
  if (selected >= 0 && placeOfRow != nullptr) {
    toSelect = (*placeOfRow)[static_cast<std::size_t>(selected)];
  } else if (selected >= 0) {
    const storage::ListRecord record = m_items.RecordOf(selected);
    for (std::size_t row = 0; row < file.Count() && toSelect < 0; ++row) {
      if (file.Holds(row, record)) toSelect = static_cast<int>(row);
    }
    if (toSelect < 0 && static_cast<std::size_t>(selected) < file.Count()) toSelect = selected;
  }
  m_items.Clear();
  ApplyListKind(file.NoDate());
  if (file.Count() != 0) m_items.Append(file, Today());
  m_items.Select(toSelect);
  m_gate.KeepAsRead(path, std::move(file), exists);
  m_items.MarkShown(m_gate.AsReadNumberOf(path));
  MarkShownListSaved();
  m_window.InvalidateItemCount();

  std::vector<ItemRow> after = m_items.Rows();
  if (after == before) return;
  // One step of the history, so that the user can take back what a reload or a merge did.
  m_history.Record(
      ItemsReplaced(SelectedListName(), std::move(before), std::move(after), selected, toSelect));
}

bool ToDoDialog::SyncNames(SyncOccasion occasion) {
  if (!m_names.HasBox() || m_gate.DataFolder() == nullptr) return true;
  const storage::IfHeld ifHeld = IfHeldOn(occasion == SyncOccasion::kTimer);
  std::vector<std::string> onDisk;
  const storage::OpenResult read = m_gate.PeekNames(&onDisk);
  if (read == storage::OpenResult::kFailed) return false;
  const std::vector<std::string>& known = m_gate.NamesAsKnown();
  if (read == storage::OpenResult::kNotFound && !known.empty() &&
      occasion != SyncOccasion::kClose &&
      (occasion == SyncOccasion::kUser || ++m_namesMissingRuns < kMissingFileRuns)) {
    return false;
  }
  m_namesMissingRuns = 0;
  const std::vector<std::string> shown = m_names.Names();
  if (onDisk == known) {
    // A first window with no lists still leaves an empty list-order file when it closes.
    const bool firstFile =
        read == storage::OpenResult::kNotFound && occasion == SyncOccasion::kClose;
    if (shown == known && !firstFile) return true;
    return m_gate.SaveNames(shown, ifHeld);
  }
  std::vector<std::string> merged =
      storage::MergeListNames(known, shown, onDisk, [this](const std::string& name) {
        const std::string path = m_gate.PathOf(name);
        return path.empty() || !m_gate.Exists(path);
      });
  if (merged != shown) ShowNames(merged);
  if (merged == onDisk && read == storage::OpenResult::kOpened) {
    m_gate.KeepNames(std::move(merged));
    return true;
  }
  return m_gate.SaveNames(merged, ifHeld);
}

void ToDoDialog::ShowNames(const std::vector<std::string>& names) {
  const std::string selected = SelectedListName();
  m_names.Fill(names);
  const int row = selected.empty() ? -1 : m_names.RowOf(selected);
  if (row >= 0) {
    m_names.Select(row);
    return;
  }
  if (selected.empty()) return;
  // The shown list was removed outside, its file with it: the window shows none.
  m_items.Clear();
  m_gate.ForgetAsRead();
  m_window.InvalidateItemCount();
}

void ToDoDialog::TellOfConflictsSoon() {
  if (m_signals == nullptr) {
    TellOfConflicts();
    return;
  }
  if (m_timerFor != TimerFor::kNothing) return;
  m_timerFor = TimerFor::kLook;
  m_signals->StartTimer(0);
}

void ToDoDialog::TellOfConflicts() {
  if (m_conflictsToTell == 0) return;
  m_conflictsToTell = 0;
  Ask(kConflictMessage, MessageButtons::Ok, MessageIcon::Exclamation);
}

}  // namespace todo
