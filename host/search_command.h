#pragma once
// The search command: runs the tool's search once and prints its result lines.

#include "host/command_line.h"
#include "contract/host_interface.h"

// Loads the plug-in and calls its Search with the line's mode and text (or the bytes of its
// text file) and a result window of this thread, printing each result line followed by a line
// feed in the order received: in UTF-8, or as code page 932 bytes when raw. Returns the exit
// code: 0, or 1 when the text file cannot be read or the plug-in cannot be loaded.
int RunSearchCommand(IHostServices* services, const HostCommandLine& line);
