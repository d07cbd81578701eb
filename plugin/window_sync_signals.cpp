#include "plugin/window_sync_signals.h"

#include "framework/fw_handles.h"

namespace {

// An event handle, closed when it goes.
class UniqueEvent {
 public:
  UniqueEvent() : m_handle(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~UniqueEvent() {
    if (m_handle != nullptr) CloseHandle(m_handle);
  }
  UniqueEvent(const UniqueEvent&) = delete;
  UniqueEvent& operator=(const UniqueEvent&) = delete;
  HANDLE Get() const { return m_handle; }

 private:
  HANDLE m_handle;
};

// What a change of the list files touches: a file made, removed or renamed (an atomic save
// moves a new file over the old one), or written in place.
constexpr DWORD kChangesWatched =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

}  // namespace

// Waits on its own thread for the folder's change notification, or for being stopped. The
// folder is watched, not single files: a file replaced by a save is a new file, and a watch
// on the old one would go blind.
class WindowSyncSignals::Watcher {
 public:
  // Takes over `change`, a notification handle of the folder.
  Watcher(HWND window, std::atomic<bool>& posted, HANDLE change)
      : m_window(window), m_posted(posted), m_change(change) {
    m_thread = std::thread([this] { Run(); });
  }
  ~Watcher() {
    SetEvent(m_stop.Get());
    m_thread.join();
  }
  Watcher(const Watcher&) = delete;
  Watcher& operator=(const Watcher&) = delete;

 private:
  void Run() {
    const HANDLE waits[] = {m_stop.Get(), m_change.Get()};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
      if (!m_posted.exchange(true)) PostMessageA(m_window, kFolderChangedMessage, 0, 0);
      if (!FindNextChangeNotification(m_change.Get())) break;
    }
  }

  HWND m_window;
  std::atomic<bool>& m_posted;
  fw::UniqueChangeHandle m_change;
  UniqueEvent m_stop;
  std::thread m_thread;
};

WindowSyncSignals::WindowSyncSignals(HWND window) : m_window(window) {}

WindowSyncSignals::~WindowSyncSignals() {
  m_watcher.reset();
  KillTimer(m_window, kSyncTimerId);
}

void WindowSyncSignals::StartTimer(int delayMs) {
  // Setting the timer again replaces the one running.
  SetTimer(m_window, kSyncTimerId, static_cast<UINT>(delayMs > 0 ? delayMs : 0), nullptr);
}

void WindowSyncSignals::TimerRan() {
  KillTimer(m_window, kSyncTimerId);
}

void WindowSyncSignals::WatchFolder(const std::string& folder) {
  m_watcher.reset();
  if (folder.empty()) return;
  const HANDLE change = FindFirstChangeNotificationA(folder.c_str(), FALSE, kChangesWatched);
  if (change == INVALID_HANDLE_VALUE) return;
  m_watcher = std::make_unique<Watcher>(m_window, m_posted, change);
}
