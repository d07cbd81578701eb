#pragma once
// Names for screen readers of the tool window's controls that have no caption to be named by:
// the date picker ("期限日") and the text box ("新規入力", as the window's own usage note calls
// typing a new list or item there); and of the buttons, whose window texts only name the
// bitmaps they are drawn with: each is read as a push button called by its command (its
// tooltip's text), the two mode buttons also as checked or not. The dialog template, its texts
// and its layout stay as they are.
//
// Where the platform keeps annotations (oleacc's CAccPropServices), a control is annotated
// with its name, role and state. Where it does not (Wine's SetHwndPropStr answers E_NOTIMPL),
// the control answers WM_GETOBJECT itself with the standard object of its client area,
// renamed. Either way the facts go with the control's window.

#include <windows.h>

namespace todo {

// Names the date picker and the text box of the tool window `dialog`. Call once, on the
// window's thread, when its controls exist.
void NameControlsForScreenReaders(HWND dialog);

}  // namespace todo
