#pragma once
#include "framework/fw_win_types.h"
#include "contract/host_services.h"
