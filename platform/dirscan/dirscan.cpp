#include "dirscan/dirscan.h"

#include <algorithm>
#include <string>
#include <vector>

#include "dirscan/dirscan_list.h"

CSerchFiles::CSerchFiles(const char* path, unsigned int /*flags*/) {
  if (path == nullptr) return;
  std::vector<std::string> names;
  dirscan::ListFileNames(path, &names);
  // Byte order (std::string compares bytes as unsigned), so that results come out in the same
  // order on every file system.
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) m_files.Add(name.c_str());
}

CSerchFiles::~CSerchFiles() = default;

CStringArray* CSerchFiles::gFc_GetListFiles() {
  return &m_files;
}
