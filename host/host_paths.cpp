#include "host/host_paths.h"

#include <windows.h>

#include <vector>

#include "host/tool_module.h"

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// Offsets of the single-byte separators in path, in order.
std::vector<std::size_t> SeparatorOffsets(const std::string& path) {
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
      ++i;  // the trail byte may look like a backslash
    } else if (IsSeparator(path[i])) {
      offsets.push_back(i);
    }
  }
  return offsets;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::string ExecutableFolder() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= 32768) return std::string();
    path.resize(path.size() * 2);
  }
  const std::vector<std::size_t> separators = SeparatorOffsets(path);
  if (separators.empty()) return std::string();
  return WithoutTrailingSeparator(path.substr(0, separators.back() + 1));
}

std::string PluginPath() {
  return ExecutableFolder() + "\\" + kPluginFileName;
}

std::string AbsolutePath(const std::string& path) {
  std::string full(MAX_PATH, '\0');
  for (;;) {
    const DWORD length =
        GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), &full[0], nullptr);
    if (length == 0) return std::string();
    if (length < full.size()) {
      full.resize(length);
      return full;
    }
    full.resize(length + 1);  // too small: length is the size needed
  }
}

std::string WithoutTrailingSeparator(const std::string& path) {
  std::string result = path;
  for (;;) {
    const std::vector<std::size_t> separators = SeparatorOffsets(result);
    if (separators.empty() || separators.back() + 1 != result.size()) return result;
    const bool driveRoot = result.size() == 3 && result[1] == ':';
    if (driveRoot || result.size() == 1) return result;
    result.pop_back();
  }
}

bool CreateFolderTree(const std::string& path) {
  // Prefixes such as "C:" or "\\server" cannot be made and already exist: their failure is
  // harmless, and the final check tells whether the whole tree is there.
  for (std::size_t offset : SeparatorOffsets(path)) {
    if (offset > 0) CreateDirectoryA(path.substr(0, offset).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
  return IsFolder(path);
}

std::string PrepareDataFolder(const std::string& requested, std::string* error) {
  std::string folder;
  if (requested.empty()) {
    const std::string executableFolder = ExecutableFolder();
    if (executableFolder.empty()) {
      *error = "the program's folder cannot be found";
      return std::string();
    }
    folder = executableFolder + "\\data";
  } else {
    folder = WithoutTrailingSeparator(AbsolutePath(requested));
    if (folder.empty()) {
      *error = "the data folder " + requested + " is not a valid path";
      return std::string();
    }
  }
  if (!CreateFolderTree(folder)) {
    *error = "the data folder " + folder + " cannot be made";
    return std::string();
  }
  return folder;
}
