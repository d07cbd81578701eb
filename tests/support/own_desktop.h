#pragma once
// A desktop of the test program's own for the windowed programs it starts. Without a window
// manager, Wine waits two seconds each time a framed top-level window of the plain desktop is
// hidden (a message box answered, a window closed); on a desktop of its own no such wait
// happens, and the programs' windows stay apart from everything else on the display.
//
// Linking own_desktop.cpp into a test program makes the desktop before its first test and
// moves the main thread onto it, so that the test finds the windows of the programs it
// starts there. Where that cannot be done, everything runs on the plain desktop, only slower.

#include <string>

namespace todo_test {

// The desktop's name, for STARTUPINFO::lpDesktop; empty when there is none.
std::string OwnDesktopName();

}  // namespace todo_test
