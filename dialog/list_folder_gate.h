#pragma once
// The dialog's one way to the files of its lists. A list's name reaches a file only through
// PathOf, which gives nothing for a name that names no file directly inside the list folder:
// such a name (anyone may edit the list-order file) is never read, written, moved or deleted.
// The gate also remembers what was read or written last of the shown list's file and of the
// list-order file, so that what another program changed since can be told apart from what
// the window changed, records are written back as they were read, and a file that could not
// be read is never written over. Portable; one object per dialog, on the tool thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "contract/host_services.h"
#include "dialog/background_save.h"
#include "dialog/sync_signals.h"
#include "storage/files.h"
#include "storage/list_file_as_read.h"
#include "storage/list_file_format.h"

namespace todo {

class ListFolderGate {
 public:
  // `host` may be null: then there is no data folder and no list has a file.
  ListFolderGate(IHostServices* host, storage::Files& files);

  // The data folder as the host names it now, or null.
  const char* DataFolder() const;
  // The file of the list named `name`; empty when there is no data folder or the name names
  // no file in the list folder.
  std::string PathOf(std::string_view name) const;
  // Whether anything exists at `path` (a file that cannot be opened counts as existing).
  bool Exists(const std::string& path);

  // The list folder, or empty when there is no data folder.
  std::string ListFolder() const;
  // The file `fileName` directly in the list folder, or empty when there is no data folder.
  std::string FileInListFolder(std::string_view fileName) const;
  // The names of the files in the list folder; false when it cannot be listed.
  bool ListFolderFiles(std::vector<std::string>* names);
  // Replaces the file at `path` with `bytes` in one step, remembering nothing of it.
  bool Replace(const std::string& path, const std::string& bytes, storage::IfHeld ifHeld);
  // Gives the file at `from` the name `to` (directly in the list folder), replacing a file of
  // that name. False when it was not moved.
  bool Rename(const std::string& from, const std::string& to);
  // The lock that tool windows sharing the list folder hold while they compare a file with
  // what they show and write it (storage::Files::Lock); null when another holds it (after
  // waiting a moment, if ifHeld says so) or there is no data folder.
  std::unique_ptr<storage::HeldLock> LockListFolder(storage::IfHeld ifHeld);

  // The names of the list-order file, in its order, blank ones left out (no list can have
  // no name); empty when it is missing, unreadable or there is no data folder. They are
  // remembered as the names known to be stored. Makes the data folder the process's current
  // folder.
  std::vector<std::string> LoadNames();
  // The names the list-order file holds now, read as LoadNames reads them, remembering
  // nothing.
  storage::OpenResult PeekNames(std::vector<std::string>* names);
  // The names read or written last (none before the first load).
  const std::vector<std::string>& NamesAsKnown() const { return m_namesAsKnown; }
  // Remembers `names` as what the list-order file holds.
  void KeepNames(std::vector<std::string> names) { m_namesAsKnown = std::move(names); }
  // Replaces the list-order file with `names` in one step and remembers them; false, with the
  // old file left, when it could not be saved. Makes the data folder the process's current
  // folder.
  bool SaveNames(const std::vector<std::string>& names, storage::IfHeld ifHeld);

  // Makes the file of a new list at `path`, empty or holding only the no-date marker; false
  // (and no file left) when it cannot be made whole. Never replaces an existing file.
  bool CreateListFile(const std::string& path, bool noDate);
  // Deletes a list's file; one that cannot be deleted (missing, in use) is passed over, and
  // then the answer is false.
  bool Delete(const std::string& path);
  // The bytes of the file at `path`; false when it is missing or cannot be read.
  bool ReadBytes(const std::string& path, std::string* bytes);
  // Makes the file at `path` with `bytes`, never replacing one; false (and no file left) when
  // it cannot be made whole.
  bool CreateFileWith(const std::string& path, const std::string& bytes);
  // The bytes a save of `content` to `path` would write now.
  std::string BytesToSave(const std::string& path, const storage::ListFileContent& content);
  // Gives a renamed list's file its new path, replacing what is there; what the gate
  // remembers of the old path moves with it. False when the file was not moved.
  bool Move(const std::string& oldPath, const std::string& newPath);

  // Reads the list file at `path` into *file and forgets what was read before. A file that
  // exists but cannot be read, or that holds a zero byte (the boxes end a text at one, so the
  // bytes after it would be lost), is marked as one that must not be saved over; reading
  // another file clears the mark. Returns what opening the file gave.
  storage::OpenResult Read(const std::string& path, storage::ListFileAsRead* file);
  // The bytes of the file at `path` as it is now, remembering nothing and marking nothing.
  storage::OpenResult Peek(const std::string& path, std::string* bytes);
  // Whether the file at `path` holds `expected` now, compared as it is read, without a copy of
  // it (storage::CompareWholeFile); remembers nothing and marks nothing.
  storage::OpenResult PeekSame(const std::string& path, std::string_view expected, bool* same);
  // Remembers `file` as what the item box shows of `path`, a file that exists or (`exists`
  // false) one that does not; marks it as one not to be saved over when it holds a zero byte.
  void KeepAsRead(const std::string& path, storage::ListFileAsRead file, bool exists = true);
  // Forgets what was read: the item box shows nothing read from a file.
  void ForgetAsRead();
  // What was read of `path` and is remembered, or null.
  const storage::ListFileAsRead* AsReadOf(const std::string& path);
  // The same, shared: it stays valid when the gate goes on to remember another file.
  std::shared_ptr<const storage::ListFileAsRead> SharedAsReadOf(const std::string& path);
  // A number for what is remembered of `path`, new each time that changes; 0 when nothing is
  // remembered of it.
  std::uint64_t AsReadNumberOf(const std::string& path);
  // Whether the file remembered existed when it was read or written.
  bool AsReadExists();
  // Whether the items of the list with file `path` may be written: it names a file and that
  // file could be read when the list was loaded.
  bool MaySave(const std::string& path) const;
  // Replaces the file at `path` with `content` in one step, giving records equal to those
  // remembered of it their lines as stored; then `content` as written is remembered. A failed
  // save leaves the old file. ifHeld says whether to wait while another program holds it.
  bool Save(const std::string& path, const storage::ListFileContent& content,
            storage::IfHeld ifHeld = storage::IfHeld::kWaitAMoment);
  // The same for a list viewed (its texts need to stay valid only during the call).
  bool Save(const std::string& path, const storage::ListToWrite& list, storage::IfHeld ifHeld);
  // Replaces the file at `path` with `bytes` in one step and remembers them as its content.
  bool SaveBytes(const std::string& path, std::string bytes, storage::IfHeld ifHeld);

  // Saves the list whose file `path` is remembered (AsReadOf not null) on `runner`'s other
  // thread, as BackgroundListSave does with `list(file as remembered)`. Every other operation
  // of the gate first waits for that save and remembers what it wrote. Returns the number
  // (AsReadNumberOf) the file as written will have once the save has written it; 0 when no
  // save was started.
  std::uint64_t SaveInBackground(
      SyncSignals& runner, const std::string& path,
      std::function<storage::ListToWrite(const storage::ListFileAsRead&)> list);
  // Whether such a save still runs.
  bool BackgroundSaveRunning() const { return m_background.Running(); }
  // Waits for such a save and tells what it found, once (kNone when none ran since).
  BackgroundListSave::Outcome TakeBackgroundOutcome();

 private:
  IHostServices* m_host;
  storage::Files& m_files;
  // The file of the list loaded last when it exists but could not be read whole.
  std::string m_unreadableFile;
  // Waits for a save on the other thread and takes in what it wrote.
  void Settle();
  // Replaces the file as read with `file`, numbered `number` (0: a new number); the memory of
  // the one before is kept for the next read or save when nothing else holds it.
  void ReplaceAsRead(std::shared_ptr<storage::ListFileAsRead> file, std::uint64_t number = 0);
  // The largest memory kept (emptied), taken out.
  storage::ListFileBuffers TakeSpare();

  // The file the item box was read from or saved to last, and its content as stored then
  // (never null; shared with a save on the other thread).
  std::string m_asReadPath;
  std::shared_ptr<storage::ListFileAsRead> m_asRead = std::make_shared<storage::ListFileAsRead>();
  std::uint64_t m_asReadNumber = 1;      // AsReadNumberOf
  std::uint64_t m_numbersGiven = 1;      // the last number given to a file as read
  std::uint64_t m_backgroundNumber = 0;  // the number the background save's file will have
  // The memory of the last two files as read that were let go: a load and a save of a long
  // list, one after the other, then take no new memory from the system.
  storage::ListFileBuffers m_spares[2];
  bool m_asReadExists = false;
  BackgroundListSave m_background;
  BackgroundListSave::Outcome m_backgroundOutcome = BackgroundListSave::Outcome::kNone;
  // The names of the list-order file as read or written last.
  std::vector<std::string> m_namesAsKnown;
};

}  // namespace todo
