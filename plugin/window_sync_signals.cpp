#include "plugin/window_sync_signals.h"

#include <string>
#include <thread>

#include "framework/fw_handles.h"
#include "storage/atomic_save.h"
#include "storage/paths.h"

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

// What a change of the list files touches: a file made, removed or renamed (a save moves a
// new file over the old one), or written in place.
constexpr DWORD kChangesWatched =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;

// Whether a change of the file `name` can matter to the window. The folder's lock and the
// saves' temporary files come and go with every look and save of the tool's own windows: were
// they reported, each look would cause the next.
bool Matters(std::string_view name) {
  return name != storage::kListFolderLockName && !storage::IsTemporarySaveName(name);
}

}  // namespace

// Waits on its own thread for changes in the folder, or for being stopped. The folder is
// watched, not single files: a file replaced by a save is a new file, and a watch on the old
// one would go blind.
class WindowSyncSignals::Watcher {
 public:
  // Takes over `folder`, a handle of the folder opened for overlapped reads of its changes.
  Watcher(HWND window, Changes& changes, HANDLE folder)
      : m_window(window), m_changes(changes), m_folder(folder) {
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
    // DWORD-aligned, as the notices must be.
    DWORD buffer[4096];
    for (;;) {
      OVERLAPPED read = {};
      read.hEvent = m_changed.Get();
      ResetEvent(m_changed.Get());
      if (!ReadDirectoryChangesW(m_folder.Get(), buffer, sizeof buffer, FALSE, kChangesWatched,
                                 nullptr, &read, nullptr)) {
        return;
      }
      const HANDLE waits[] = {m_stop.Get(), m_changed.Get()};
      DWORD got = 0;
      if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1 ||
          !GetOverlappedResult(m_folder.Get(), &read, &got, FALSE)) {
        CancelIo(m_folder.Get());
        GetOverlappedResult(m_folder.Get(), &read, &got, TRUE);
        return;
      }
      Add(buffer, got);
    }
  }

  // Adds the names of the files the notices in `buffer` speak of, and posts the message unless
  // it is on its way. No notices (too many to hold) means any file may have changed.
  void Add(const DWORD* buffer, DWORD size) {
    std::vector<std::string> names;
    const auto* bytes = reinterpret_cast<const BYTE*>(buffer);
    while (size != 0) {
      const auto* notice = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(bytes);
      char name[MAX_PATH * 2];
      const int length = WideCharToMultiByte(
          CP_ACP, 0, notice->FileName, static_cast<int>(notice->FileNameLength / sizeof(WCHAR)),
          name, sizeof name, nullptr, nullptr);
      if (length > 0 && Matters(std::string_view(name, static_cast<std::size_t>(length)))) {
        names.emplace_back(name, static_cast<std::size_t>(length));
      }
      if (notice->NextEntryOffset == 0) break;
      bytes += notice->NextEntryOffset;
    }
    if (size != 0 && names.empty()) return;
    const std::lock_guard<std::mutex> hold(m_changes.mutex);
    m_changes.names.insert(m_changes.names.end(), names.begin(), names.end());
    if (size == 0) m_changes.unknown = true;
    if (!m_changes.posted) {
      m_changes.posted = true;
      PostMessageA(m_window, kFolderChangedMessage, 0, 0);
    }
  }

  HWND m_window;
  Changes& m_changes;
  fw::UniqueFileHandle m_folder;
  UniqueEvent m_stop;
  UniqueEvent m_changed;
  std::thread m_thread;
};

WindowSyncSignals::WindowSyncSignals(HWND window) : m_window(window) {}

WindowSyncSignals::~WindowSyncSignals() {
  if (m_worker.joinable()) m_worker.join();
  m_watcher.reset();
  KillTimer(m_window, kSyncTimerId);
}

void WindowSyncSignals::StartTimer(int delayMs) {
  // Setting the timer again replaces the one running.
  SetTimer(m_window, kSyncTimerId, static_cast<UINT>(delayMs > 0 ? delayMs : 0), nullptr);
}

void WindowSyncSignals::RunInBackground(std::function<void()> work) {
  // The dialog asks for the next run only after it waited for this one to end.
  if (m_worker.joinable()) m_worker.join();
  m_worker = std::thread(std::move(work));
}

void WindowSyncSignals::TimerRan() {
  KillTimer(m_window, kSyncTimerId);
}

void WindowSyncSignals::WatchFolder(const std::string& folder) {
  m_watcher.reset();
  if (folder.empty()) return;
  const HANDLE handle = CreateFileA(
      folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return;
  m_watcher = std::make_unique<Watcher>(m_window, m_changes, handle);
}

std::vector<std::string> WindowSyncSignals::TakeFolderChanges() {
  const std::lock_guard<std::mutex> hold(m_changes.mutex);
  std::vector<std::string> names;
  if (!m_changes.unknown) names.swap(m_changes.names);
  m_changes.names.clear();
  m_changes.unknown = false;
  m_changes.posted = false;
  return names;
}
