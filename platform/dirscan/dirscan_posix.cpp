// Folder listing over POSIX calls, for the native build.

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

#include "dirscan/dirscan_list.h"

namespace dirscan {

void ListFileNames(const char* path, std::vector<std::string>* names) {
  names->clear();
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(path), &::closedir);
  if (dir == nullptr) return;
  const int dirFd = ::dirfd(dir.get());
  while (const dirent* entry = ::readdir(dir.get())) {
    // The entry's type usually comes with it; only an unknown type costs a look at the file.
    bool folder = entry->d_type == DT_DIR;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      struct stat info;
      if (::fstatat(dirFd, entry->d_name, &info, 0) != 0) continue;
      folder = S_ISDIR(info.st_mode);
    }
    if (!folder) names->emplace_back(entry->d_name);
  }
}

}  // namespace dirscan
