// Moving lists and items between the two boxes and their files.

#include <string>
#include <utility>

#include "dialog/todo_dialog.h"

namespace todo {

namespace {

// How often a failed save is tried in a row before the user is asked, when the window
// closes. Each try waits for a held file by itself for about a second on Windows.
constexpr int kCloseSaveTries = 5;
const char kCloseSaveFailedQuestion[] =
    "リストを保存できませんでした！\n他のプログラムがファイルを使用している可能性があります。"
    "\nもう一度保存しますか？\n（「いいえ」を選ぶと、変更を保存せずに閉じます）";

}  // namespace

std::string ToDoDialog::ListFilePathOf(int row) const {
  if (!m_names.HasBox()) return std::string();
  return m_gate.PathOf(m_names.NameOf(row));
}

void ToDoDialog::LoadListNames() {
  if (!m_names.HasBox()) return;
  m_names.Fill(m_gate.LoadNames());
  // The history speaks of the rows before; the window starts afresh with the names read.
  m_history = UndoHistory();
  if (m_signals != nullptr) m_signals->WatchFolder(m_gate.ListFolder());
  // Conflicted copies left while the window was closed are merged at the first look.
  OnFolderChanged();
}

void ToDoDialog::ApplyListKind(bool noDate) {
  m_items.SetKind(noDate);
  m_entry.ShowListKind(noDate);
}

int ToDoDialog::LoadCurrentList() {
  if (!m_names.HasBox() || !m_items.HasBox()) return 0;
  const int selected = m_names.Selected();
  if (selected < 0) return 0;
  m_listMissingRuns = 0;
  const std::string path = ListFilePathOf(selected);
  if (path.empty()) {
    // A name that names no file in the list folder: nothing is read, and the list counts as
    // an empty dated list, as a missing file does, so that it cannot take the kind of the list
    // before it once a rename gives it a file.
    if (m_gate.DataFolder() != nullptr) ApplyListKind(false);
    m_gate.ForgetAsRead();
    return 0;
  }
  storage::ListFileAsRead file;
  // A file that exists but cannot be read changes nothing. A missing file is an empty dated
  // list, so that saving it cannot turn it into a no-date list because the list loaded
  // before it was one.
  const storage::OpenResult read = m_gate.Read(path, &file);
  if (read == storage::OpenResult::kFailed) return 0;
  ApplyListKind(file.NoDate());
  const bool anything = file.NoDate() || file.Count() != 0;
  // One reading of the clock for the whole list: a long list is coloured by one date.
  const bool boxWasEmpty = m_items.Count() == 0;
  if (file.Count() != 0) m_items.Append(file, Today());
  m_gate.KeepAsRead(path, std::move(file), read == storage::OpenResult::kOpened);
  // The rows are the file's records, which a save then need not compare again one by one.
  if (boxWasEmpty) m_items.MarkShown(m_gate.AsReadNumberOf(path));
  MarkShownListSaved();
  return anything ? 1 : 0;
}

bool ToDoDialog::SelectedListCanBeSaved() const {
  if (m_names.Selected() < 0) return false;
  return m_gate.MaySave(ListFilePathOf(m_names.Selected()));
}

bool ToDoDialog::LeaveSelectedList() {
  const SaveOutcome outcome = SaveSelectedList(SyncOccasion::kUser);
  // Items that could not be written are not thrown away: the list stays.
  return outcome != SaveOutcome::kFailed &&
         (outcome != SaveOutcome::kWaiting || ShownListUnchanged());
}

int ToDoDialog::SaveCurrentList() {
  bool namesInStep = false;
  // SaveState's answer: a save that could not be written is not reported as done.
  return SyncFiles(SyncOccasion::kUser, &namesInStep) == SaveOutcome::kInStep ? 1 : 0;
}

void ToDoDialog::GiveUpInPlaceEdits() {
  // Moving the selection away and back is a change by the program, which closes an editor
  // without storing its text; it raises no event.
  for (CQuarnListBox* box :
       {static_cast<CQuarnListBox*>(m_names.Box()), static_cast<CQuarnListBox*>(m_items.Box())}) {
    if (box == nullptr) continue;
    const int selected = box->GetCurSel();
    box->SetCurSel(-1);
    box->SetCurSel(selected);
  }
}

void ToDoDialog::SaveOnClose(bool listSaved) {
  if (!listSaved) SaveSelectedList(SyncOccasion::kClose);
  SaveListNames();
}

bool ToDoDialog::SaveBeforeClose() {
  for (;;) {
    for (int tried = 0; tried < kCloseSaveTries; ++tried) {
      bool namesInStep = false;
      if (SyncFiles(SyncOccasion::kClose, &namesInStep) != SaveOutcome::kFailed && namesInStep) {
        TellOfConflicts();
        return true;
      }
    }
    if (Ask(kCloseSaveFailedQuestion, MessageButtons::YesNo, MessageIcon::Exclamation) ==
        MessageAnswer::No) {
      return false;
    }
  }
}

}  // namespace todo
