#pragma once
// Paths the host works with. Paths are code page 932 bytes, where a backslash byte can be the
// second half of a double-byte character, so separators are looked for character by
// character.

#include <string>

// The folder of the running executable, without a trailing backslash.
std::string ExecutableFolder();

// The plug-in beside the executable.
std::string PluginPath();

// The absolute form of path, or empty when it cannot be made.
std::string AbsolutePath(const std::string& path);

// Removes trailing backslashes, but keeps the one of a drive root such as "C:\".
std::string WithoutTrailingSeparator(const std::string& path);

// Makes the absolute folder path and any missing parents; true when the folder exists after.
bool CreateFolderTree(const std::string& path);

// The data folder: requested (made absolute) or, when empty, "data" beside the executable;
// created when missing. Returns empty and sets *error when it cannot be used.
std::string PrepareDataFolder(const std::string& requested, std::string* error);
