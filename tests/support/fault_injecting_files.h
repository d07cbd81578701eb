#pragma once
// A files object for tests: it passes every operation on to another files object, but fails
// the one chosen, as a full disk, a pulled cable or another program holding the file would.
// It lets tests prove that no single failure during a save loses or tears a stored file.

#include <atomic>
#include <mutex>

#include "storage/files.h"

namespace storage {

class FaultInjectingFiles : public Files {
 public:
  enum class Mode {
    kOnce,        // only the chosen operation fails
    kFromThenOn,  // it and every later operation of any kind fail
  };

  // base must outlive this object and every file opened through it.
  explicit FaultInjectingFiles(Files& base) : m_base(base) {}

  // Fails the n-th counted operation from now on (n >= 1). Counted are opens (for reading
  // and for writing), writes, flushes, closes of written files and moves. A failed open
  // opens nothing; a failed write writes the first half of its bytes; a failed flush
  // flushes nothing; a failed close closes the file; a failed move moves nothing. Any thread.
  void FailAt(int n, Mode mode);

  // Stops failing and counting. Any thread.
  void Heal();

  // Whether an operation has failed since the last FailAt. Any thread.
  bool HasFailed() const;

  OpenResult OpenForReading(const std::string& path, std::unique_ptr<ReadableFile>* file) override;
  std::unique_ptr<WritableFile> OpenForWriting(const std::string& path, CreateMode mode) override;
  bool CreateFolder(const std::string& path) override;
  bool SetCurrentFolder(const std::string& path) override;
  bool Delete(const std::string& path) override;
  bool MoveReplacing(const std::string& from, const std::string& to, IfHeld ifHeld) override;
  // Locks are passed on and never count; while FailLocks(true) holds they fail, as when
  // another program holds them.
  std::unique_ptr<HeldLock> Lock(const std::string& path, IfHeld ifHeld) override;
  void FailLocks(bool fail) { m_failLocks = fail; }
  bool ListFolder(const std::string& folder, std::vector<std::string>* names) override;

  // Whether the next operation fails; counted says whether it counts towards n. Called by
  // the files this object opened, from the thread that uses them.
  bool ShouldFail(bool counted);

 private:
  Files& m_base;
  mutable std::mutex m_mutex;
  int m_remaining = 0;  // counted operations until the chosen one; 0 when none is chosen
  Mode m_mode = Mode::kOnce;
  bool m_failing = false;  // kFromThenOn has struck: everything fails
  bool m_failed = false;
  std::atomic<bool> m_failLocks{false};
};

}  // namespace storage
