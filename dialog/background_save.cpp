#include "dialog/background_save.h"

#include <condition_variable>
#include <mutex>
#include <utility>

#include "storage/atomic_save.h"
#include "storage/file_reading.h"

namespace todo {

struct BackgroundListSave::Job {
  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
  Result result;

  // The work on the other thread.
  void Run(storage::Files& files, const std::string& lockPath,
           const storage::ListFileAsRead& asRead, bool asReadExists,
           const std::function<storage::ListToWrite(const storage::ListFileAsRead&)>& list) {
    Result found;
    found.path = result.path;
    found.outcome = Outcome::kFailed;
    if (const auto lock = files.Lock(lockPath, storage::IfHeld::kFailAtOnce)) {
      // A file that still holds what was read is only compared, piece by piece, not copied.
      bool asWasRead = false;
      storage::OpenResult read = storage::OpenResult::kFailed;
      if (asReadExists) {
        read = storage::CompareWholeFile(files, found.path, asRead.Bytes(), &asWasRead);
      }
      asWasRead = asWasRead && read == storage::OpenResult::kOpened;
      std::string bytes;
      if (!asWasRead) read = storage::ReadWholeFile(files, found.path, &bytes);
      const bool exists = read == storage::OpenResult::kOpened;
      if (read == storage::OpenResult::kFailed) {
        found.outcome = Outcome::kFailed;
      } else if (!asWasRead && (exists != asReadExists || bytes != asRead.Bytes())) {
        found.outcome = Outcome::kDiskChanged;
      } else {
        // The file as written is known while writing it: it is kept without being read again.
        auto out = std::make_shared<storage::ListFileAsRead>(
            storage::FormatListFileAsRead(list(asRead), &asRead));
        // A list changed and changed back is not written again.
        if ((exists && out->Bytes() == asRead.Bytes()) ||
            storage::SaveFileAtomically(files, found.path, out->Bytes(),
                                        storage::IfHeld::kFailAtOnce)) {
          found.outcome = Outcome::kWritten;
          found.written = std::move(out);
        }
      }
    }
    const std::lock_guard<std::mutex> hold(mutex);
    result = std::move(found);
    done = true;
    ended.notify_all();
  }
};

BackgroundListSave::~BackgroundListSave() {
  Finish();
}

void BackgroundListSave::Start(
    SyncSignals& runner, storage::Files& files, std::string lockPath, std::string path,
    std::shared_ptr<const storage::ListFileAsRead> asRead, bool asReadExists,
    std::function<storage::ListToWrite(const storage::ListFileAsRead&)> list) {
  auto job = std::make_shared<Job>();
  job->result.path = std::move(path);
  m_job = job;
  runner.RunInBackground(
      [job, &files, lockPath = std::move(lockPath), asRead = std::move(asRead), asReadExists,
       list = std::move(list)] { job->Run(files, lockPath, *asRead, asReadExists, list); });
}

bool BackgroundListSave::Running() const {
  if (m_job == nullptr) return false;
  const std::lock_guard<std::mutex> hold(m_job->mutex);
  return !m_job->done;
}

BackgroundListSave::Result BackgroundListSave::Finish() {
  if (m_job == nullptr) return Result();
  std::unique_lock<std::mutex> hold(m_job->mutex);
  m_job->ended.wait(hold, [this] { return m_job->done; });
  Result result = std::move(m_job->result);
  hold.unlock();
  m_job.reset();
  return result;
}

}  // namespace todo
