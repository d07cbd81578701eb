#pragma once
// What screen readers are told of one control of the tool window beyond what its standard
// object says, and the state a checkable button is read with.

#include <windows.h>

#include <string>

namespace todo {

struct AccessibleFacts {
  std::wstring name;
  LONG role = 0;           // a ROLE_SYSTEM_ number, or 0 for the standard object's role
  bool checkable = false;  // whether the control is read as checked when BM_GETCHECK says so
};

// `state` with STATE_SYSTEM_CHECKED set or cleared as the button is checked or not. A window
// that is gone leaves the state as it was.
LONG WithCheckedState(HWND button, LONG state);

// The whole state of a checkable button, from its window: visible, enabled, focused (the
// caller must be the window's thread), checked.
LONG CheckableButtonState(HWND button);

}  // namespace todo
