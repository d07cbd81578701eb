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
    struct stat info;
    if (::fstatat(dirFd, entry->d_name, &info, 0) != 0 || S_ISDIR(info.st_mode)) continue;
    names->emplace_back(entry->d_name);
  }
}

}  // namespace dirscan
