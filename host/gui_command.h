#pragma once
// The window mode: the main window and its message loop on this thread.

#include "contract/host_interface.h"

// Runs until the main window is closed; openTool opens the tool window at start. Returns the
// exit code.
int RunGuiCommand(IHostServices* services, bool openTool);
