#pragma once
// A host whose data folder is a folder on disk and whose settings are all empty, for the
// dialog over headless boxes (tests and the native benchmark).

#include <string>
#include <utility>

#include "contract/host_services.h"

namespace todo_test {

class FolderHost final : public IHostServices {
 public:
  explicit FolderHost(std::string folder) : m_folder(std::move(folder)) {}
  int ReadSetting(int, const char*, char* buffer) override {
    buffer[0] = '\0';
    return 0;
  }
  int WriteSetting(int, const char*, const char*) override { return 0; }
  const char* GetDataFolder(int, int) override { return m_folder.c_str(); }

 private:
  std::string m_folder;
};

}  // namespace todo_test
