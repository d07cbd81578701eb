#pragma once
// The services the host offers its tools. Portable: it uses no Windows type, so that the
// tool's portable code and its tests can use it too.

// The bytes of the buffer a tool hands to ReadSetting.
constexpr int kSettingBufferBytes = 260;

// What the host offers its tools. Each operation runs on the caller's thread.
class IHostServices {
 public:
  // Copies the text stored for (toolId, key) into buffer, which holds kSettingBufferBytes, always
  // zero-terminated; an unknown key gives the empty text. The result means nothing.
  virtual int ReadSetting(int toolId, const char* key, char* buffer) = 0;
  // Stores value for (toolId, key), for later ReadSetting calls. The result means nothing.
  virtual int WriteSetting(int toolId, const char* key, const char* value) = 0;
  // GetDataFolder(1, 0): the path of an existing folder, without a trailing backslash, for
  // the tool's data. The text stays valid at least until the next call.
  virtual const char* GetDataFolder(int kind, int reserved) = 0;

 protected:
  ~IHostServices() = default;  // never deleted through this interface
};

// The folder the host keeps the tool's data in, GetDataFolder(1, 0); null without a host.
inline const char* ToolDataFolder(IHostServices* host) {
  return host != nullptr ? host->GetDataFolder(1, 0) : nullptr;
}
