#include "framework/fw_window.h"
