#pragma once
// What the host offers its tools: settings in Lumaplex.ini of the data folder, one section
// per tool ("Tool18" for tool 18), and the data folder itself. Every operation may be called
// from any thread: the object never changes after it is made.

#include <string>

#include "contract/host_interface.h"

class HostServices final : public IHostServices {
 public:
  static constexpr int kSettingBufferSize = kSettingBufferBytes;

  // dataFolder: an existing absolute folder, without a trailing backslash.
  explicit HostServices(const std::string& dataFolder);

  // Returns 1 when the key is stored, else 0 with the empty text.
  int ReadSetting(int toolId, const char* key, char* buffer) override;
  // Returns 1 when the value was stored, else 0.
  int WriteSetting(int toolId, const char* key, const char* value) override;
  // The data folder, whatever the arguments.
  const char* GetDataFolder(int kind, int reserved) override;

  const std::string& dataFolder() const { return m_dataFolder; }

 private:
  const std::string m_dataFolder;
  const std::string m_iniPath;
};
