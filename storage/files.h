#pragma once
// The files interface: everything the stored lists need from the file system, and nothing
// more. The build chooses the implementation (files_posix.cpp natively, files_win32.cpp in
// the Windows build); tests wrap it to inject faults. Portable code reaches files only
// through this header.
//
// Paths are code page 932 bytes, zero bytes excluded: a path holding a zero byte fails every
// operation, so it can never name a shorter path. On Windows a path of kPathLimitBytes (MAX_PATH)
// bytes or more fails every operation like a file that cannot be opened. Files are read and written
// as bytes, with no line-end translation.
//
// Threads: a Files object may be used from any number of threads at once. An open file
// belongs to one thread at a time. Handles are closed by their destructors at the latest.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace storage {

// Windows opens no path of this many bytes or more (MAX_PATH).
inline constexpr std::size_t kPathLimitBytes = 260;

// An open file being read from its start.
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;  // closes the file

  // Reads up to capacity bytes into buffer and sets *count to how many were read; 0 means
  // the end of the file, and so does a read of fewer bytes than asked for that ends where
  // SizeHint says the file ends. Returns false on a read error (*count is then 0).
  virtual bool Read(char* buffer, std::size_t capacity, std::size_t* count) = 0;

  // The file's size when it was opened, so that it can be read whole into a buffer of that
  // size in one read; false when it is not known. The file may change while it is read.
  virtual bool SizeHint(std::size_t* /*size*/) { return false; }

  // Whether a read of fewer bytes than asked for has met the file's end, as a read of a file on
  // disk does on POSIX: then a file is read whole without asking its size, which costs a call
  // into the system for each file.
  virtual bool ShortReadEnds() const { return false; }
};

// An open file being written from its start.
class WritableFile {
 public:
  virtual ~WritableFile() = default;  // closes the file if Close was not called; no report

  // Appends all of data. Returns false when not all of it could be written (a full disk):
  // part of it may be in the file then.
  virtual bool Append(std::string_view data) = 0;
  // Makes what was appended durable on the disk. Returns false on failure.
  virtual bool Flush() = 0;
  // Closes the file. Returns false on failure, including a write that failed only now; the
  // file is closed either way. Later calls return false.
  virtual bool Close() = 0;
};

enum class OpenResult {
  kOpened,
  kNotFound,  // the file, or a folder on its path, does not exist
  kFailed,    // any other reason: no access, a sharing conflict, a path too long
};

// What a move over a file, or taking a lock, does when another program holds the file.
enum class IfHeld {
  kWaitAMoment,  // tries again for about a second
  kFailAtOnce,   // fails at once; the caller tries again later, never blocking its thread
};

// A folder kept open to open the files in it by name (see Files::OpenFolder).
class OpenFolder {
 public:
  virtual ~OpenFolder() = default;  // closes the folder

  // Opens the file `name` in the folder for reading, as Files::OpenForReading opens the
  // folder's path followed by name.
  virtual OpenResult OpenForReading(const std::string& name,
                                    std::unique_ptr<ReadableFile>* file) = 0;
};

// A lock, held until the object is destroyed (see Files::Lock).
class HeldLock {
 public:
  virtual ~HeldLock() = default;
};

enum class CreateMode {
  kCreateNew,         // fails when the file exists already
  kCreateOrTruncate,  // makes the file, or empties the existing one
};

class Files {
 public:
  virtual ~Files() = default;

  // Opens an existing file for reading. On kOpened *file is set; otherwise it is reset.
  // Readers never block each other. A move over a file being read goes through at once on
  // POSIX; Windows lets it through only once the file is closed (see MoveReplacing).
  virtual OpenResult OpenForReading(const std::string& path,
                                    std::unique_ptr<ReadableFile>* file) = 0;

  // Keeps the folder at folderPath (ending with a path separator) open to open many files in
  // it by name: where the system allows, each then costs no look at the folder's own path
  // again. Never null: a folder that cannot be kept open opens each file by its whole path.
  // Used by one thread at a time; must not outlive this object.
  virtual std::unique_ptr<OpenFolder> OpenFolderForReading(const std::string& folderPath);

  // Opens a file for writing as mode says. Returns null on failure (then nothing was made or
  // emptied).
  virtual std::unique_ptr<WritableFile> OpenForWriting(const std::string& path,
                                                       CreateMode mode) = 0;

  // Makes one folder; its parent must exist. Returns false on failure, also when the folder
  // exists already.
  virtual bool CreateFolder(const std::string& path) = 0;

  // Makes path the process's current folder, for every thread. Returns false on failure.
  virtual bool SetCurrentFolder(const std::string& path) = 0;

  // Deletes a file. Returns false on failure, also when it does not exist.
  virtual bool Delete(const std::string& path) = 0;

  // Gives the file at from the name to in one step, replacing a file of that name: a reader
  // opening to sees the old file or the new one, never none. On Windows a file that is open
  // cannot be replaced: while to is held open by a reader, ifHeld says whether the move is
  // retried for about a second. Returns false on failure; both files are then as they were.
  virtual bool MoveReplacing(const std::string& from, const std::string& to, IfHeld ifHeld) = 0;

  // Takes the lock named by the file at path (used for nothing else; made while held, removed
  // when let go), which one holder at a time has: another process, or another lock object of
  // this process. Processes that hold it while they read a stored file and write it back never
  // write over each other's changes. When another holds it, ifHeld says whether to try again
  // for about a second. Returns null when it was not taken.
  virtual std::unique_ptr<HeldLock> Lock(const std::string& path, IfHeld ifHeld) = 0;

  // Sets *names to the names (not paths) of the files in folder, in no particular order;
  // folders and "." and ".." are left out. Returns false on failure (*names is then empty).
  virtual bool ListFolder(const std::string& folder, std::vector<std::string>* names) = 0;
};

// The implementation for the platform this build is for.
std::unique_ptr<Files> NewPlatformFiles();

}  // namespace storage
