#include "framework/fw_string.h"
