#pragma once
// The dialog's timer and folder watch in the Windows build: a timer of the tool window, and a
// thread that reads the list folder's changes and posts a message to the window for those
// that can matter to it. The window hands both to the dialog (todo::ToDoDialog::OnSyncTimer,
// OnFolderChanged). Made and destroyed on the tool thread; the watching thread only posts.

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

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
  void WatchFolder(const std::string& folder) override;

  // The window's WM_TIMER for kSyncTimerId arrived: the timer is one-shot, so it is stopped.
  void TimerRan();
  // The window took kFolderChangedMessage: the next change posts it again.
  void FolderChangeTaken() { m_posted = false; }

 private:
  class Watcher;

  HWND m_window;
  std::unique_ptr<Watcher> m_watcher;
  // A folder change is posted and not taken yet: a burst of changes posts it once.
  std::atomic<bool> m_posted{false};
};
