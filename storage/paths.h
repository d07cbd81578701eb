#pragma once
// Where the stored lists live. Every path is made by one of a few fixed patterns: the data
// folder, the list folder "ToDoList" under it, and the file names in it. Parts are joined with
// single separators and nothing is normalised. Paths are code page 932 bytes. All functions
// are pure and may be called from any thread.

#include <cstddef>
#include <string>
#include <string_view>

namespace storage {

// The one place where the build chooses its separator: Windows paths use backslashes, the
// native build (tests, benchmarks) uses slashes.
#if defined(_WIN32)
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

inline constexpr std::string_view kListFolderName = "ToDoList";
inline constexpr std::string_view kListOrderFileName = "ListInfo.dat";
inline constexpr std::string_view kListFileEnding = ".lst";
inline constexpr std::string_view kListFolderLockName = "~lock.tmp";

// "<data>\ToDoList": the list folder, as it is created.
std::string ListFolderPath(std::string_view dataFolder);

// "<data>\ToDoList\": the list folder with a separator at its end, as the search walks it.
std::string ListFolderSearchPath(std::string_view dataFolder);

// "<data>\ToDoList\<name>.lst": a list's file. This is the one place where a list's name
// becomes a path: for a name that names no file directly inside the list folder
// (NamesFileInListFolder in list_names.h), such as "..\x" or "a/b", the result is empty, and
// every caller then leaves the file system alone.
std::string ListFilePath(std::string_view dataFolder, std::string_view listName);

// ".\ToDoList\ListInfo.dat": the list-order file, relative to the current folder, which the
// caller sets to the data folder first.
std::string ListOrderPath();

// "<data>\ToDoList\~lock.tmp": the lock that tool windows sharing the list folder hold while
// they compare a stored file with what they show and write it (Files::Lock). Not a list file.
std::string ListFolderLockPath(std::string_view dataFolder);

// The length of the folder part of path, up to and including its last separator (on Windows
// also a drive colon), or 0 when path has none. A backslash byte that is the second byte of a
// double-byte character is not a separator.
std::size_t FolderPartLength(std::string_view path);

}  // namespace storage
