#pragma once
// The texts a box gives a screen reader: its rows' texts as UTF-16, and the name of the box
// taken from the group box that frames it.

#include <windows.h>

#include <string>
#include <string_view>

namespace quarn::win32 {

// A new BSTR holding `text` (code page 932 bytes); null when out of memory.
BSTR NewBstrFromCp932(std::string_view text);

// The caption of the group box that frames `box` on its parent, as Windows names a control
// inside a group box: of the visible group boxes among the parent's child windows, the
// smallest whose rectangle holds the box's. Its mnemonic marks (&) are dropped. Empty when no
// group box frames the box.
std::wstring FramingGroupCaption(HWND box);

}  // namespace quarn::win32
