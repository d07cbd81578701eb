#include "support/fault_injecting_files.h"

namespace storage {

namespace {

class FaultyReadableFile : public ReadableFile {
 public:
  FaultyReadableFile(FaultInjectingFiles& owner, std::unique_ptr<ReadableFile> base)
      : m_owner(owner), m_base(std::move(base)) {}

  bool Read(char* buffer, std::size_t capacity, std::size_t* count) override {
    *count = 0;
    return !m_owner.ShouldFail(false) && m_base->Read(buffer, capacity, count);
  }

 private:
  FaultInjectingFiles& m_owner;
  std::unique_ptr<ReadableFile> m_base;
};

class FaultyWritableFile : public WritableFile {
 public:
  FaultyWritableFile(FaultInjectingFiles& owner, std::unique_ptr<WritableFile> base)
      : m_owner(owner), m_base(std::move(base)) {}

  bool Append(std::string_view data) override {
    if (m_owner.ShouldFail(true)) {
      m_base->Append(data.substr(0, data.size() / 2));  // a torn write
      return false;
    }
    return m_base->Append(data);
  }

  bool Flush() override { return !m_owner.ShouldFail(true) && m_base->Flush(); }

  bool Close() override {
    const bool fail = m_owner.ShouldFail(true);
    const bool closed = m_base->Close();
    return !fail && closed;
  }

 private:
  FaultInjectingFiles& m_owner;
  std::unique_ptr<WritableFile> m_base;
};

}  // namespace

void FaultInjectingFiles::FailAt(int n, Mode mode) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_remaining = n;
  m_mode = mode;
  m_failing = false;
  m_failed = false;
}

void FaultInjectingFiles::Heal() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_remaining = 0;
  m_failing = false;
}

bool FaultInjectingFiles::HasFailed() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_failed;
}

bool FaultInjectingFiles::ShouldFail(bool counted) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (m_failing) return true;
  if (!counted || m_remaining == 0 || --m_remaining > 0) return false;
  m_failed = true;
  m_failing = m_mode == Mode::kFromThenOn;
  return true;
}

OpenResult FaultInjectingFiles::OpenForReading(const std::string& path,
                                               std::unique_ptr<ReadableFile>* file) {
  file->reset();
  if (ShouldFail(true)) return OpenResult::kFailed;
  std::unique_ptr<ReadableFile> opened;
  const OpenResult result = m_base.OpenForReading(path, &opened);
  if (result == OpenResult::kOpened) {
    *file = std::make_unique<FaultyReadableFile>(*this, std::move(opened));
  }
  return result;
}

std::unique_ptr<WritableFile> FaultInjectingFiles::OpenForWriting(const std::string& path,
                                                                  CreateMode mode) {
  if (ShouldFail(true)) return nullptr;
  std::unique_ptr<WritableFile> opened = m_base.OpenForWriting(path, mode);
  if (opened == nullptr) return nullptr;
  return std::make_unique<FaultyWritableFile>(*this, std::move(opened));
}

bool FaultInjectingFiles::CreateFolder(const std::string& path) {
  return !ShouldFail(false) && m_base.CreateFolder(path);
}

bool FaultInjectingFiles::SetCurrentFolder(const std::string& path) {
  return !ShouldFail(false) && m_base.SetCurrentFolder(path);
}

bool FaultInjectingFiles::Delete(const std::string& path) {
  return !ShouldFail(false) && m_base.Delete(path);
}

bool FaultInjectingFiles::MoveReplacing(const std::string& from, const std::string& to,
                                        IfHeld ifHeld) {
  return !ShouldFail(true) && m_base.MoveReplacing(from, to, ifHeld);
}

std::unique_ptr<HeldLock> FaultInjectingFiles::Lock(const std::string& path, IfHeld ifHeld) {
  if (m_failLocks) return nullptr;
  return m_base.Lock(path, ifHeld);
}

bool FaultInjectingFiles::ListFolder(const std::string& folder, std::vector<std::string>* names) {
  names->clear();
  return !ShouldFail(false) && m_base.ListFolder(folder, names);
}

}  // namespace storage
