#include "plugin/accessible_facts.h"

#include <oleacc.h>

namespace todo {

LONG WithCheckedState(HWND button, LONG state) {
  if (!IsWindow(button)) return state;
  state &= ~STATE_SYSTEM_CHECKED;
  if (SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) state |= STATE_SYSTEM_CHECKED;
  return state;
}

LONG CheckableButtonState(HWND button) {
  LONG state = 0;
  if (!IsWindowVisible(button)) state |= STATE_SYSTEM_INVISIBLE;
  if (IsWindowEnabled(button)) {
    state |= STATE_SYSTEM_FOCUSABLE;
  } else {
    state |= STATE_SYSTEM_UNAVAILABLE;
  }
  if (GetFocus() == button) state |= STATE_SYSTEM_FOCUSED;
  return WithCheckedState(button, state);
}

}  // namespace todo
