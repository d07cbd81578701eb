#pragma once
// What the dialog asks of its shell to keep the lists' files and the window in step: one
// timer, and word of changes in the list folder. The Windows build uses a timer of the tool
// window and a thread that waits for the folder's change notifications; tests use a fake whose
// timer and notices they fire themselves. Every operation is called on the tool thread, and
// the shell calls the dialog back on it (ToDoDialog::OnSyncTimer, OnFolderChanged).

#include <functional>
#include <string>

namespace todo {

class SyncSignals {
 public:
  virtual ~SyncSignals() = default;

  // Calls ToDoDialog::OnSyncTimer once, `delayMs` milliseconds from now (0: as soon as the
  // thread is idle), instead of a call asked for before and not made yet.
  virtual void StartTimer(int delayMs) = 0;

  // Runs `work` on a thread other than the tool thread, soon; the dialog asks for one run at a
  // time and waits for it itself (tests may run it at once, before returning). `work` touches
  // only what it holds.
  virtual void RunInBackground(std::function<void()> work) = 0;

  // Watches `folder` instead of any folder watched before (empty: none). After files directly
  // in it are made, removed, renamed or written, by this process or another,
  // ToDoDialog::OnFolderChanged is called with their names, or with none when they are not
  // known (too many at once); one call may stand for several changes. A folder that cannot be
  // watched is not reported: the dialog then notices changes only when it saves.
  virtual void WatchFolder(const std::string& folder) = 0;
};

}  // namespace todo
