#include "framework/fw_message_map.h"

const MsgMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam) {
  const UINT code = HIWORD(wParam);
  const UINT id = LOWORD(wParam);
  for (; map; map = map->base ? map->base() : nullptr) {
    for (const MsgMapEntry* entry = map->entries; entry->handler; ++entry) {
      if (entry->message != message) continue;
      if (message == WM_COMMAND && (entry->code != code || entry->id != id)) continue;
      return entry;
    }
  }
  return nullptr;
}
