#pragma once
// A desktop of the test program's own (own_desktop.cpp): linked into a window test program, it
// puts every thread of the program on it, and the programs the test starts can be put there
// by name.

#include <string>

namespace todo_test {

// The desktop's name, for STARTUPINFO::lpDesktop; empty when there is none.
std::string OwnDesktopName();

}  // namespace todo_test
