#include <windows.h>
#include "framework/fw_handles.h"
