#include "dialog/window_position.h"

#include <string>

#include "storage/decimal.h"

namespace todo {

namespace {

constexpr int kSettingBufferSize = kSettingBufferBytes;

int ReadCoordinate(IHostServices& host, int toolId, const char* key) {
  char text[kSettingBufferSize] = "";
  host.ReadSetting(toolId, key, text);
  text[kSettingBufferSize - 1] = '\0';  // never read past the buffer, whatever the host left
  return storage::ParseClampedDecimal(text);
}

}  // namespace

WindowPosition ReadWindowPosition(IHostServices* host, int toolId, const char* leftKey,
                                  const char* topKey) {
  WindowPosition position;
  if (host == nullptr) return position;
  position.left = ReadCoordinate(*host, toolId, leftKey);
  position.top = ReadCoordinate(*host, toolId, topKey);
  return position;
}

void WriteWindowPosition(IHostServices* host, int toolId, const char* leftKey, const char* topKey,
                         WindowPosition position) {
  if (host == nullptr) return;
  host->WriteSetting(toolId, leftKey, std::to_string(position.left).c_str());
  host->WriteSetting(toolId, topKey, std::to_string(position.top).c_str());
}

}  // namespace todo
