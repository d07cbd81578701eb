#include "host/host_services.h"

#include <windows.h>

#include <cstring>

namespace {

std::string SectionName(int toolId) {
  return "Tool" + std::to_string(toolId);
}

}  // namespace

HostServices::HostServices(const std::string& dataFolder)
    : m_dataFolder(dataFolder), m_iniPath(dataFolder + "\\Lumaplex.ini") {}

int HostServices::ReadSetting(int toolId, const char* key, char* buffer) {
  if (!buffer) return 0;
  buffer[0] = '\0';
  if (!key || !*key) return 0;  // a null key would list the section's keys instead
  const std::string section = SectionName(toolId);
  // The profile functions cannot tell a missing key from a stored value equal to the
  // default, so read with two different defaults: only a missing key gives back both.
  const char kFirstDefault[] = "\x01";
  const char kSecondDefault[] = "\x02";
  GetPrivateProfileStringA(section.c_str(), key, kFirstDefault, buffer, kSettingBufferSize,
                           m_iniPath.c_str());
  buffer[kSettingBufferSize - 1] = '\0';
  if (std::strcmp(buffer, kFirstDefault) != 0) return 1;
  char probe[4] = "";
  GetPrivateProfileStringA(section.c_str(), key, kSecondDefault, probe, sizeof(probe),
                           m_iniPath.c_str());
  if (std::strcmp(probe, kSecondDefault) != 0) return 1;  // the stored value is the first
  buffer[0] = '\0';
  return 0;
}

int HostServices::WriteSetting(int toolId, const char* key, const char* value) {
  if (!key || !*key) return 0;  // a null key would delete the whole section
  const std::string section = SectionName(toolId);
  const BOOL written =
      WritePrivateProfileStringA(section.c_str(), key, value ? value : "", m_iniPath.c_str());
  return written ? 1 : 0;
}

const char* HostServices::GetDataFolder(int, int) {
  return m_dataFolder.c_str();
}
