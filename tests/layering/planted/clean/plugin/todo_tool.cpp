#include <windows.h>
#include "dialog/window_ops.h"
#include "resource_ids.h"
