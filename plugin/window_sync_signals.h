#pragma once
// The dialog's timer and folder watch in the Windows build: a timer of the tool window, and a
// thread that reads the list folder's changes and posts a message to the window for those
// that can matter to it. The window hands both to the dialog (todo::ToDoDialog::OnSyncTimer,
// OnFolderChanged). Made and destroyed on the tool thread; the watching thread only posts.

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "dialog/sync_signals.h"

// Posted to the tool window when files in the watched folder changed.
constexpr UINT kFolderChangedMessage = WM_APP + 2;
// The tool window's timer that brings its files in step.
constexpr UINT_PTR kSyncTimerId = 1;

class WindowSyncSignals : public todo::SyncSignals {
 public:
  explicit WindowSyncSignals(HWND window);
  // Stops the timer and the watching thread, and waits for the thread.
  ~WindowSyncSignals() override;
  WindowSyncSignals(const WindowSyncSignals&) = delete;
  WindowSyncSignals& operator=(const WindowSyncSignals&) = delete;

  void StartTimer(int delayMs) override;
  void RunInBackground(std::function<void()> work) override;
  void WatchFolder(const std::string& folder) override;

  // The window's WM_TIMER for kSyncTimerId arrived: the timer is one-shot, so it is stopped.
  void TimerRan();
  // The window took kFolderChangedMessage: the names of the files that changed since it was
  // posted (none when they are not known), and the next change posts it again.
  std::vector<std::string> TakeFolderChanges();

 private:
  class Watcher;

  // What the watching thread found and the window has not taken yet.
  struct Changes {
    std::mutex mutex;
    std::vector<std::string> names;
    bool unknown = false;  // some changes came without their names
    bool posted = false;   // the message is on its way: a burst of changes posts it once
  };

  HWND m_window;
  Changes m_changes;
  std::unique_ptr<Watcher> m_watcher;
  // The thread of the latest work run in the background.
  std::thread m_worker;
};
