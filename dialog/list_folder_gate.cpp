#include "dialog/list_folder_gate.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "storage/atomic_save.h"
#include "storage/file_reading.h"
#include "storage/list_order_format.h"
#include "storage/list_store.h"
#include "storage/paths.h"

namespace todo {

namespace {

// The memory of a file as read is kept for the next only from this many bytes on.
constexpr std::size_t kSpareAtLeast = 64 * 1024;

}  // namespace

ListFolderGate::ListFolderGate(IHostServices* host, storage::Files& files)
    : m_host(host), m_files(files) {}

const char* ListFolderGate::DataFolder() const {
  return ToolDataFolder(m_host);
}

std::string ListFolderGate::PathOf(std::string_view name) const {
  const char* folder = DataFolder();
  if (folder == nullptr) return std::string();
  return storage::ListFilePath(folder, name);
}

bool ListFolderGate::Exists(const std::string& path) {
  Settle();
  std::unique_ptr<storage::ReadableFile> file;
  return m_files.OpenForReading(path, &file) != storage::OpenResult::kNotFound;
}

std::string ListFolderGate::ListFolder() const {
  const char* folder = DataFolder();
  return folder != nullptr ? storage::ListFolderPath(folder) : std::string();
}

std::string ListFolderGate::FileInListFolder(std::string_view fileName) const {
  const std::string folder = ListFolder();
  if (folder.empty()) return folder;
  return folder + storage::kPathSeparator + std::string(fileName);
}

bool ListFolderGate::ListFolderFiles(std::vector<std::string>* names) {
  Settle();
  const std::string folder = ListFolder();
  return !folder.empty() && m_files.ListFolder(folder, names);
}

bool ListFolderGate::Replace(const std::string& path, const std::string& bytes,
                             storage::IfHeld ifHeld) {
  Settle();
  return storage::SaveFileAtomically(m_files, path, bytes, ifHeld);
}

bool ListFolderGate::Rename(const std::string& from, const std::string& to) {
  Settle();
  return m_files.MoveReplacing(from, to, storage::IfHeld::kFailAtOnce);
}

std::unique_ptr<storage::HeldLock> ListFolderGate::LockListFolder(storage::IfHeld ifHeld) {
  Settle();
  const char* folder = DataFolder();
  if (folder == nullptr) return nullptr;
  return m_files.Lock(storage::ListFolderLockPath(folder), ifHeld);
}

namespace {

void LeaveOutBlankNames(std::vector<std::string>* names) {
  names->erase(std::remove(names->begin(), names->end(), std::string()), names->end());
}

}  // namespace

std::vector<std::string> ListFolderGate::LoadNames() {
  Settle();
  std::vector<std::string> names;
  const char* folder = DataFolder();
  if (folder != nullptr && m_files.SetCurrentFolder(folder)) {
    storage::LoadListOrder(m_files, storage::ListOrderPath(), &names);
    LeaveOutBlankNames(&names);
  }
  m_namesAsKnown = names;
  return names;
}

storage::OpenResult ListFolderGate::PeekNames(std::vector<std::string>* names) {
  Settle();
  names->clear();
  const char* folder = DataFolder();
  if (folder == nullptr || !m_files.SetCurrentFolder(folder)) return storage::OpenResult::kFailed;
  std::string bytes;
  const storage::OpenResult read =
      storage::ReadWholeFile(m_files, storage::ListOrderPath(), &bytes);
  *names = storage::ParseListOrder(bytes);
  LeaveOutBlankNames(names);
  return read;
}

bool ListFolderGate::SaveNames(const std::vector<std::string>& names, storage::IfHeld ifHeld) {
  Settle();
  const char* folder = DataFolder();
  if (folder == nullptr || !m_files.SetCurrentFolder(folder) ||
      !storage::SaveListOrder(m_files, storage::ListOrderPath(), names, ifHeld)) {
    return false;
  }
  m_namesAsKnown = names;
  return true;
}

bool ListFolderGate::CreateListFile(const std::string& path, bool noDate) {
  storage::ListFileContent content;
  content.noDate = noDate;
  return CreateFileWith(path, storage::FormatListFile(content));
}

bool ListFolderGate::CreateFileWith(const std::string& path, const std::string& bytes) {
  Settle();
  std::unique_ptr<storage::WritableFile> file =
      m_files.OpenForWriting(path, storage::CreateMode::kCreateNew);
  if (file == nullptr) return false;
  bool written = file->Append(bytes);
  if (file->Close() && written) return true;
  // A torn marker would turn into an item of a dated list: no file rather than a wrong one.
  m_files.Delete(path);
  return false;
}

bool ListFolderGate::Delete(const std::string& path) {
  Settle();
  return m_files.Delete(path);
}

bool ListFolderGate::ReadBytes(const std::string& path, std::string* bytes) {
  Settle();
  return storage::ReadWholeFile(m_files, path, bytes) == storage::OpenResult::kOpened;
}

std::string ListFolderGate::BytesToSave(const std::string& path,
                                        const storage::ListFileContent& content) {
  return storage::FormatListFile(content, AsReadOf(path));
}

bool ListFolderGate::Move(const std::string& oldPath, const std::string& newPath) {
  Settle();
  if (!m_files.MoveReplacing(oldPath, newPath, storage::IfHeld::kWaitAMoment)) return false;
  // A list whose file could not be read when it was loaded is still not saved under its new
  // name: the empty item box would replace the items the file holds.
  if (m_unreadableFile == oldPath) m_unreadableFile = newPath;
  if (m_asReadPath == oldPath) m_asReadPath = newPath;
  return true;
}

storage::OpenResult ListFolderGate::Read(const std::string& path, storage::ListFileAsRead* file) {
  Settle();
  storage::ListFileBuffers room = TakeSpare();
  storage::OpenResult opened = storage::LoadListFile(m_files, path, file, &room);
  if (opened == storage::OpenResult::kFailed) {
    m_unreadableFile = path;
    return opened;
  }
  if (file->HoldsZeroByte()) {
    m_unreadableFile = path;
  } else {
    m_unreadableFile.clear();
  }
  ForgetAsRead();
  return opened;
}

storage::OpenResult ListFolderGate::Peek(const std::string& path, std::string* bytes) {
  Settle();
  return storage::ReadWholeFile(m_files, path, bytes);
}

storage::OpenResult ListFolderGate::PeekSame(const std::string& path, std::string_view expected,
                                             bool* same) {
  Settle();
  return storage::CompareWholeFile(m_files, path, expected, same);
}

void ListFolderGate::KeepAsRead(const std::string& path, storage::ListFileAsRead file,
                                bool exists) {
  Settle();
  if (file.HoldsZeroByte()) m_unreadableFile = path;
  m_asReadPath = path;
  ReplaceAsRead(std::make_shared<storage::ListFileAsRead>(std::move(file)));
  m_asReadExists = exists;
}

void ListFolderGate::ForgetAsRead() {
  Settle();
  m_asReadPath.clear();
  ReplaceAsRead(std::make_shared<storage::ListFileAsRead>());
  m_asReadExists = false;
}

void ListFolderGate::ReplaceAsRead(std::shared_ptr<storage::ListFileAsRead> file,
                                   std::uint64_t number) {
  std::shared_ptr<storage::ListFileAsRead> before = std::move(m_asRead);
  m_asRead = std::move(file);
  m_asReadNumber = number != 0 ? number : ++m_numbersGiven;
  // A save on the other thread may still hold the file before; then its memory goes with it.
  if (before.use_count() != 1) return;
  storage::ListFileBuffers buffers = before->TakeBuffers();
  // The memory of a short list is not worth keeping.
  if (buffers.bytes.capacity() < kSpareAtLeast) return;
  storage::ListFileBuffers& smaller =
      m_spares[0].bytes.capacity() <= m_spares[1].bytes.capacity() ? m_spares[0] : m_spares[1];
  smaller = std::move(buffers);
}

storage::ListFileBuffers ListFolderGate::TakeSpare() {
  storage::ListFileBuffers& larger =
      m_spares[0].bytes.capacity() >= m_spares[1].bytes.capacity() ? m_spares[0] : m_spares[1];
  storage::ListFileBuffers taken = std::move(larger);
  larger = storage::ListFileBuffers();
  return taken;
}

const storage::ListFileAsRead* ListFolderGate::AsReadOf(const std::string& path) {
  Settle();
  return !path.empty() && path == m_asReadPath ? m_asRead.get() : nullptr;
}

std::shared_ptr<const storage::ListFileAsRead> ListFolderGate::SharedAsReadOf(
    const std::string& path) {
  if (AsReadOf(path) == nullptr) return nullptr;
  return m_asRead;
}

std::uint64_t ListFolderGate::AsReadNumberOf(const std::string& path) {
  return AsReadOf(path) != nullptr ? m_asReadNumber : 0;
}

bool ListFolderGate::AsReadExists() {
  Settle();
  return m_asReadExists;
}

bool ListFolderGate::MaySave(const std::string& path) const {
  return !path.empty() && path != m_unreadableFile;
}

bool ListFolderGate::Save(const std::string& path, const storage::ListFileContent& content,
                          storage::IfHeld ifHeld) {
  return Save(path, storage::ViewOf(content), ifHeld);
}

bool ListFolderGate::Save(const std::string& path, const storage::ListToWrite& list,
                          storage::IfHeld ifHeld) {
  Settle();
  // What was read of another file says nothing about this one.
  if (path != m_asReadPath) ForgetAsRead();
  // The file as written is known while writing it: it is kept without being read again.
  storage::ListFileBuffers room = TakeSpare();
  storage::ListFileAsRead written = storage::FormatListFileAsRead(list, m_asRead.get(), &room);
  if (!storage::SaveFileAtomically(m_files, path, written.Bytes(), ifHeld)) return false;
  KeepAsRead(path, std::move(written));
  return true;
}

bool ListFolderGate::SaveBytes(const std::string& path, std::string bytes, storage::IfHeld ifHeld) {
  Settle();
  if (!storage::SaveFileAtomically(m_files, path, bytes, ifHeld)) return false;
  KeepAsRead(path, storage::ListFileAsRead(std::move(bytes)));
  return true;
}

std::uint64_t ListFolderGate::SaveInBackground(
    SyncSignals& runner, const std::string& path,
    std::function<storage::ListToWrite(const storage::ListFileAsRead&)> list) {
  Settle();
  const char* folder = DataFolder();
  if (folder == nullptr || path != m_asReadPath) return 0;
  m_backgroundNumber = ++m_numbersGiven;
  m_background.Start(runner, m_files, storage::ListFolderLockPath(folder), path, m_asRead,
                     m_asReadExists, std::move(list));
  return m_backgroundNumber;
}

BackgroundListSave::Outcome ListFolderGate::TakeBackgroundOutcome() {
  Settle();
  const BackgroundListSave::Outcome outcome = m_backgroundOutcome;
  m_backgroundOutcome = BackgroundListSave::Outcome::kNone;
  return outcome;
}

void ListFolderGate::Settle() {
  BackgroundListSave::Result result = m_background.Finish();
  if (result.outcome == BackgroundListSave::Outcome::kNone) return;
  m_backgroundOutcome = result.outcome;
  // What the file holds now is what the next save compares with, unless the window has gone
  // on to another list meanwhile.
  if (result.outcome == BackgroundListSave::Outcome::kWritten && result.path == m_asReadPath) {
    ReplaceAsRead(std::move(result.written), m_backgroundNumber);
    m_asReadExists = true;
  }
}

}  // namespace todo
