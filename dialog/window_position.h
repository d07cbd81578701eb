#pragma once
// The tool window's place as the host's settings store it: two decimal numbers, the left and
// top edges of its frame, under keys the caller names. Portable; any thread the host allows.

#include "contract/host_services.h"

namespace todo {

struct WindowPosition {
  int left = 0;
  int top = 0;
};

// Reads the stored place. A stored number is read as the C library reads decimals (leading
// blanks and a sign allowed, reading stops at the first other byte, no digits give 0); one
// beyond an int gives the nearest int. Reads no further than the setting's 260 bytes, whatever
// the host left in them. Without a host, 0 and 0.
WindowPosition ReadWindowPosition(IHostServices* host, int toolId, const char* leftKey,
                                  const char* topKey);

// Stores the place as two decimal numbers. Without a host, nothing.
void WriteWindowPosition(IHostServices* host, int toolId, const char* leftKey, const char* topKey,
                         WindowPosition position);

}  // namespace todo
