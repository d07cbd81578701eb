#pragma once
// A save of the shown list's file on another thread (SyncSignals::RunInBackground), so that a
// long list does not hold up the window: under the list folder's lock the file is read and,
// when it still holds what was read or written last, replaced in one step by the list as the
// rows stood when the save began. The other thread uses only what the job holds; its owner
// waits for it (Finish) before it touches the files or what it remembers of them again.
// Portable; started and finished on the tool thread.

#include <functional>
#include <memory>
#include <string>

#include "dialog/sync_signals.h"
#include "storage/files.h"
#include "storage/list_file_as_read.h"
#include "storage/list_file_format.h"

namespace todo {

class BackgroundListSave {
 public:
  enum class Outcome {
    kNone,         // no save ran since the last Finish
    kWritten,      // the file holds the list now (written, or it held those bytes already)
    kDiskChanged,  // the file changed outside since it was read: nothing was written
    kFailed,       // the lock or the file was held, or could not be read or written
  };
  struct Result {
    Outcome outcome = Outcome::kNone;
    std::string path;
    // What the file holds now when kWritten.
    std::shared_ptr<storage::ListFileAsRead> written;
  };

  BackgroundListSave() = default;
  // Waits for a save that still runs.
  ~BackgroundListSave();
  BackgroundListSave(const BackgroundListSave&) = delete;
  BackgroundListSave& operator=(const BackgroundListSave&) = delete;

  // Starts saving `list(*asRead)` (made on the other thread) to `path`, whose file held
  // `asRead` (`asReadExists`: it existed) when read or written last, taking the lock at
  // `lockPath` first. A save started before must be finished.
  void Start(SyncSignals& runner, storage::Files& files, std::string lockPath, std::string path,
             std::shared_ptr<const storage::ListFileAsRead> asRead, bool asReadExists,
             std::function<storage::ListToWrite(const storage::ListFileAsRead&)> list);
  // Whether a save started and has not finished running.
  bool Running() const;
  // Waits for the save to end and hands over what it found, once.
  Result Finish();

 private:
  struct Job;
  std::shared_ptr<Job> m_job;
};

}  // namespace todo
