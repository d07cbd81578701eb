#pragma once
// The platform's part of the file-search library: the names in one folder.

#include <string>
#include <vector>

namespace dirscan {

// Sets *names to the names of the files (not folders) in the folder at path, in no
// particular order; leaves it empty when the folder cannot be read. path is not null.
void ListFileNames(const char* path, std::vector<std::string>* names);

}  // namespace dirscan
