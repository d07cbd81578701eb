// The files interface over the Win32 ANSI calls, for the Windows build. Paths reach Windows as
// code page 932 bytes through the *A functions.

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "framework/fw_handles.h"
#include "storage/files.h"
#include "storage/paths.h"

namespace storage {

namespace {

// Windows refuses to move a file over one that is open, even for reading (the host's search,
// a virus scanner), and to open a lock another holds. Where the caller may wait, such a move
// or lock is tried again after waits that start short and grow, until about this long has
// passed; then it fails and says so.
constexpr DWORD kHeldRetryLimitMs = 1000;
constexpr DWORD kHeldRetryLongestWaitMs = 50;

// Paths that do not fit the platform's limit are refused before Windows sees them.
static_assert(kPathLimitBytes == MAX_PATH, "the path limit is the platform's");

bool IsUsablePath(const std::string& path) {
  return !path.empty() && path.size() < kPathLimitBytes && path.find('\0') == std::string::npos;
}

DWORD ChunkSize(std::size_t size) {
  return static_cast<DWORD>(std::min<std::size_t>(size, 1u << 20));
}

class Win32ReadableFile : public ReadableFile {
 public:
  explicit Win32ReadableFile(HANDLE handle) : m_handle(handle) {}

  bool Read(char* buffer, std::size_t capacity, std::size_t* count) override {
    *count = 0;
    DWORD got = 0;
    if (!ReadFile(m_handle.Get(), buffer, ChunkSize(capacity), &got, nullptr)) return false;
    *count = got;
    return true;
  }

  bool SizeHint(std::size_t* size) override {
    LARGE_INTEGER bytes;
    if (!GetFileSizeEx(m_handle.Get(), &bytes) || bytes.QuadPart < 0 ||
        static_cast<unsigned long long>(bytes.QuadPart) >= SIZE_MAX) {
      return false;
    }
    *size = static_cast<std::size_t>(bytes.QuadPart);
    return true;
  }

 private:
  fw::UniqueFileHandle m_handle;
};

class Win32WritableFile : public WritableFile {
 public:
  explicit Win32WritableFile(HANDLE handle) : m_handle(handle) {}

  bool Append(std::string_view data) override {
    while (!data.empty()) {
      DWORD put = 0;
      if (!WriteFile(m_handle.Get(), data.data(), ChunkSize(data.size()), &put, nullptr) ||
          put == 0) {
        return false;
      }
      data.remove_prefix(put);
    }
    return true;
  }

  bool Flush() override { return FlushFileBuffers(m_handle.Get()) != FALSE; }

  bool Close() override { return m_handle.Close(); }

 private:
  fw::UniqueFileHandle m_handle;
};

bool IsHeldByAnother(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
         error == ERROR_LOCK_VIOLATION;
}

class Win32Lock : public HeldLock {
 public:
  explicit Win32Lock(HANDLE handle) : m_handle(handle) {}

 private:
  fw::UniqueFileHandle m_handle;
};

// Runs attempt until it succeeds; while it fails because another program holds the file, and
// ifHeld allows it, tries again after waits that start short and grow.
template <typename Attempt>
bool TryWhileHeld(IfHeld ifHeld, const Attempt& attempt) {
  DWORD waited = 0;
  for (DWORD wait = 1;; wait = std::min(wait * 2, kHeldRetryLongestWaitMs)) {
    if (attempt()) return true;
    if (ifHeld == IfHeld::kFailAtOnce || waited >= kHeldRetryLimitMs ||
        !IsHeldByAnother(GetLastError())) {
      return false;
    }
    Sleep(wait);
    waited += wait;
  }
}

class Win32Files : public Files {
 public:
  OpenResult OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) override {
    file->reset();
    if (!IsUsablePath(path)) return OpenResult::kFailed;
    // Readers share everything, so they never stand in each other's way.
    const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
                 ? OpenResult::kNotFound
                 : OpenResult::kFailed;
    }
    *file = std::make_unique<Win32ReadableFile>(handle);
    return OpenResult::kOpened;
  }

  std::unique_ptr<WritableFile> OpenForWriting(const std::string& path, CreateMode mode) override {
    if (!IsUsablePath(path)) return nullptr;
    const DWORD disposition = mode == CreateMode::kCreateNew ? CREATE_NEW : CREATE_ALWAYS;
    const HANDLE handle = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32WritableFile>(handle);
  }

  bool CreateFolder(const std::string& path) override {
    return IsUsablePath(path) && CreateDirectoryA(path.c_str(), nullptr) != FALSE;
  }

  bool SetCurrentFolder(const std::string& path) override {
    return IsUsablePath(path) && SetCurrentDirectoryA(path.c_str()) != FALSE;
  }

  bool Delete(const std::string& path) override {
    return IsUsablePath(path) && DeleteFileA(path.c_str()) != FALSE;
  }

  bool MoveReplacing(const std::string& from, const std::string& to, IfHeld ifHeld) override {
    if (!IsUsablePath(from) || !IsUsablePath(to)) return false;
    return TryWhileHeld(ifHeld, [&from, &to] {
      return MoveFileExA(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    });
  }

  std::unique_ptr<HeldLock> Lock(const std::string& path, IfHeld ifHeld) override {
    if (!IsUsablePath(path)) return nullptr;
    // Shared with nobody, so a second open fails until this handle is closed; the file goes
    // with the handle, also when the process is killed.
    HANDLE handle = INVALID_HANDLE_VALUE;
    TryWhileHeld(ifHeld, [&path, &handle] {
      handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
      return handle != INVALID_HANDLE_VALUE;
    });
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return std::make_unique<Win32Lock>(handle);
  }

  bool ListFolder(const std::string& folder, std::vector<std::string>* names) override {
    names->clear();
    std::string pattern = folder;
    if (FolderPartLength(pattern) != pattern.size()) pattern += kPathSeparator;
    pattern += '*';
    if (!IsUsablePath(folder) || !IsUsablePath(pattern)) return false;
    WIN32_FIND_DATAA entry;
    fw::UniqueFindHandle search(FindFirstFileA(pattern.c_str(), &entry));
    if (!search.Ok()) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
      if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        names->emplace_back(entry.cFileName);
      }
    } while (FindNextFileA(search.Get(), &entry));
    if (GetLastError() == ERROR_NO_MORE_FILES) return true;
    names->clear();
    return false;
  }
};

}  // namespace

std::unique_ptr<Files> NewPlatformFiles() {
  return std::make_unique<Win32Files>();
}

}  // namespace storage
