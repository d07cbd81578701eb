#include "storage/fault_injecting_files.h"

namespace storage {

namespace {

class FaultyReadableFile : public ReadableFile {
 public:
  FaultyReadableFile(FaultInjectingFiles& owner, std::unique_ptr<ReadableFile> base)
      : owner_(owner), base_(std::move(base)) {}

  bool Read(char* buffer, std::size_t capacity, std::size_t* count) override {
    *count = 0;
    return !owner_.ShouldFail(false) && base_->Read(buffer, capacity, count);
  }

 private:
  FaultInjectingFiles& owner_;
  std::unique_ptr<ReadableFile> base_;
};

class FaultyWritableFile : public WritableFile {
 public:
  FaultyWritableFile(FaultInjectingFiles& owner, std::unique_ptr<WritableFile> base)
      : owner_(owner), base_(std::move(base)) {}

  bool Append(std::string_view data) override {
    if (owner_.ShouldFail(true)) {
      base_->Append(data.substr(0, data.size() / 2));  // a torn write
      return false;
    }
    return base_->Append(data);
  }

  bool Flush() override { return !owner_.ShouldFail(true) && base_->Flush(); }

  bool Close() override {
    const bool fail = owner_.ShouldFail(true);
    const bool closed = base_->Close();
    return !fail && closed;
  }

 private:
  FaultInjectingFiles& owner_;
  std::unique_ptr<WritableFile> base_;
};

}  // namespace

void FaultInjectingFiles::FailAt(int n, Mode mode) {
  std::lock_guard<std::mutex> lock(mutex_);
  remaining_ = n;
  mode_ = mode;
  failing_ = false;
  failed_ = false;
}

void FaultInjectingFiles::Heal() {
  std::lock_guard<std::mutex> lock(mutex_);
  remaining_ = 0;
  failing_ = false;
}

bool FaultInjectingFiles::HasFailed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return failed_;
}

bool FaultInjectingFiles::ShouldFail(bool counted) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (failing_) return true;
  if (!counted || remaining_ == 0 || --remaining_ > 0) return false;
  failed_ = true;
  failing_ = mode_ == Mode::kFromThenOn;
  return true;
}

OpenResult FaultInjectingFiles::OpenForReading(const std::string& path,
                                               std::unique_ptr<ReadableFile>* file) {
  file->reset();
  if (ShouldFail(true)) return OpenResult::kFailed;
  std::unique_ptr<ReadableFile> opened;
  const OpenResult result = base_.OpenForReading(path, &opened);
  if (result == OpenResult::kOpened) {
    *file = std::make_unique<FaultyReadableFile>(*this, std::move(opened));
  }
  return result;
}

std::unique_ptr<WritableFile> FaultInjectingFiles::OpenForWriting(const std::string& path,
                                                                  CreateMode mode) {
  if (ShouldFail(true)) return nullptr;
  std::unique_ptr<WritableFile> opened = base_.OpenForWriting(path, mode);
  if (opened == nullptr) return nullptr;
  return std::make_unique<FaultyWritableFile>(*this, std::move(opened));
}

bool FaultInjectingFiles::CreateFolder(const std::string& path) {
  return !ShouldFail(false) && base_.CreateFolder(path);
}

bool FaultInjectingFiles::SetCurrentFolder(const std::string& path) {
  return !ShouldFail(false) && base_.SetCurrentFolder(path);
}

bool FaultInjectingFiles::Delete(const std::string& path) {
  return !ShouldFail(false) && base_.Delete(path);
}

bool FaultInjectingFiles::MoveReplacing(const std::string& from, const std::string& to) {
  return !ShouldFail(true) && base_.MoveReplacing(from, to);
}

bool FaultInjectingFiles::ListFolder(const std::string& folder, std::vector<std::string>* names) {
  names->clear();
  return !ShouldFail(false) && base_.ListFolder(folder, names);
}

}  // namespace storage
