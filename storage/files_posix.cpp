// The files interface over POSIX calls, for the native build.

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "storage/files.h"

namespace storage {

namespace {

bool IsUsablePath(const std::string& path) {
  return !path.empty() && path.find('\0') == std::string::npos;
}

// Owns one file descriptor.
class Descriptor {
 public:
  explicit Descriptor(int fd) : m_fd(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }

  int get() const { return m_fd; }
  void Release() { m_fd = -1; }
  bool Close() {
    if (m_fd < 0) return false;
    const int result = ::close(m_fd);
    m_fd = -1;
    return result == 0;
  }

 private:
  int m_fd;
};

class PosixReadableFile : public ReadableFile {
 public:
  explicit PosixReadableFile(int fd) : m_fd(fd) {}

  // Asks the system for the size at the first call only.
  bool SizeHint(std::size_t* size) override {
    if (!m_sized) {
      struct stat info;
      if (::fstat(m_fd.get(), &info) != 0) return false;
      m_size = static_cast<std::size_t>(info.st_size);
      m_sized = true;
    }
    *size = m_size;
    return true;
  }

  void KnowSize(std::size_t size) {
    m_size = size;
    m_sized = true;
  }

  // A read of a regular file returns fewer bytes than asked only at its end.
  bool ShortReadEnds() const override { return true; }

  bool Read(char* buffer, std::size_t capacity, std::size_t* count) override {
    *count = 0;
    for (;;) {
      const ssize_t got = ::read(m_fd.get(), buffer, capacity);
      if (got >= 0) {
        *count = static_cast<std::size_t>(got);
        return true;
      }
      if (errno != EINTR) return false;
    }
  }

 private:
  Descriptor m_fd;
  std::size_t m_size = 0;
  bool m_sized = false;
};

class PosixWritableFile : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : m_fd(fd) {}

  bool Append(std::string_view data) override {
    while (!data.empty()) {
      const ssize_t put = ::write(m_fd.get(), data.data(), data.size());
      if (put < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      data.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
  }

  bool Flush() override { return m_fd.get() >= 0 && ::fsync(m_fd.get()) == 0; }

  bool Close() override { return m_fd.Close(); }

 private:
  Descriptor m_fd;
};

// A lock file held with flock, removed by the holder that lets go of it. A taker that opened
// the file just before it was removed holds a lock on a file without a name; it checks that
// the name still leads to the file it locked, and starts again otherwise.
class PosixLock : public HeldLock {
 public:
  PosixLock(std::string path, int fd) : m_path(std::move(path)), m_fd(fd) {}
  ~PosixLock() override { ::unlink(m_path.c_str()); }

 private:
  std::string m_path;
  Descriptor m_fd;  // closed after the unlink, which releases the lock
};

std::unique_ptr<HeldLock> TryLock(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return nullptr;
  Descriptor descriptor(fd);
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return nullptr;
  struct stat locked;
  struct stat named;
  if (::fstat(fd, &locked) != 0 || ::stat(path.c_str(), &named) != 0 ||
      locked.st_ino != named.st_ino || locked.st_dev != named.st_dev) {
    return nullptr;
  }
  descriptor.Release();
  return std::make_unique<PosixLock>(path, fd);
}

// Opens path, relative to the folder dirFd when it is not AT_FDCWD, for reading. A folder fails
// to open; when lookAtFolder is false, that is left to the first read, which then fails, so that
// the open costs no call to look at the file.
OpenResult OpenReadable(int dirFd, const std::string& path, std::unique_ptr<ReadableFile>* file,
                        bool lookAtFolder = true) {
  file->reset();
  if (!IsUsablePath(path)) return OpenResult::kFailed;
  const int fd = ::openat(dirFd, path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    return (errno == ENOENT || errno == ENOTDIR) ? OpenResult::kNotFound : OpenResult::kFailed;
  }
  auto opened = std::make_unique<PosixReadableFile>(fd);
  if (lookAtFolder) {
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) return OpenResult::kFailed;
    opened->KnowSize(static_cast<std::size_t>(info.st_size));
  }
  *file = std::move(opened);
  return OpenResult::kOpened;
}

// A folder open as a descriptor: a file in it is found from there, with no walk along the
// folder's own path. A name with a separator is opened by the whole path, as given.
class PosixFolder : public OpenFolder {
 public:
  PosixFolder(int fd, std::string folderPath) : m_fd(fd), m_folderPath(std::move(folderPath)) {}

  OpenResult OpenForReading(const std::string& name, std::unique_ptr<ReadableFile>* file) override {
    // The search reads each file whole into a buffer of its own: the file's size is not
    // needed, and a folder fails at the first read.
    if (name.find('/') == std::string::npos) return OpenReadable(m_fd.get(), name, file, false);
    return OpenReadable(AT_FDCWD, m_folderPath + name, file);
  }

 private:
  Descriptor m_fd;
  const std::string m_folderPath;
};

class PosixFiles : public Files {
 public:
  OpenResult OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) override {
    return OpenReadable(AT_FDCWD, path, file);
  }

  std::unique_ptr<OpenFolder> OpenFolderForReading(const std::string& folderPath) override {
    const int fd = IsUsablePath(folderPath)
                       ? ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                       : -1;
    if (fd < 0) return Files::OpenFolderForReading(folderPath);
    return std::make_unique<PosixFolder>(fd, folderPath);
  }

  std::unique_ptr<WritableFile> OpenForWriting(const std::string& path, CreateMode mode) override {
    if (!IsUsablePath(path)) return nullptr;
    const int how = mode == CreateMode::kCreateNew ? O_EXCL : O_TRUNC;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | how, 0666);
    if (fd < 0) return nullptr;
    return std::make_unique<PosixWritableFile>(fd);
  }

  bool CreateFolder(const std::string& path) override {
    return IsUsablePath(path) && ::mkdir(path.c_str(), 0777) == 0;
  }

  bool SetCurrentFolder(const std::string& path) override {
    return IsUsablePath(path) && ::chdir(path.c_str()) == 0;
  }

  bool Delete(const std::string& path) override {
    return IsUsablePath(path) && ::unlink(path.c_str()) == 0;
  }

  bool MoveReplacing(const std::string& from, const std::string& to, IfHeld) override {
    // rename replaces the target in one step, also one being read: a reader finds the old
    // file or the new one.
    return IsUsablePath(from) && IsUsablePath(to) && ::rename(from.c_str(), to.c_str()) == 0;
  }

  std::unique_ptr<HeldLock> Lock(const std::string& path, IfHeld ifHeld) override {
    if (!IsUsablePath(path)) return nullptr;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    for (;;) {
      if (std::unique_ptr<HeldLock> lock = TryLock(path)) return lock;
      if (ifHeld == IfHeld::kFailAtOnce || std::chrono::steady_clock::now() >= giveUp) {
        return nullptr;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  bool ListFolder(const std::string& folder, std::vector<std::string>* names) override {
    names->clear();
    if (!IsUsablePath(folder)) return false;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (dir == nullptr) return false;
    const int dirFd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
      struct stat info;
      if (::fstatat(dirFd, entry->d_name, &info, 0) != 0 || S_ISDIR(info.st_mode)) continue;
      names->emplace_back(entry->d_name);
    }
    return true;
  }
};

}  // namespace

std::unique_ptr<Files> NewPlatformFiles() {
  return std::make_unique<PosixFiles>();
}

}  // namespace storage
