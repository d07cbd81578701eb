#pragma once
// The info command: prints the tool's identity and history without opening a window.

#include "contract/host_interface.h"

// Loads the plug-in, prints one item per line (tool id, name, display name, template id,
// host value 1, host value 2, the module's file version from its version resource (an empty
// line when it has none), then the history, oldest first) in UTF-8, or as code page 932
// bytes when raw, and deletes the tool. Returns the exit code: 0, or 1 when the plug-in or
// its export is missing.
int RunInfoCommand(IHostServices* services, bool raw);
