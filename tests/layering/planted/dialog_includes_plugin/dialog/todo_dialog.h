#pragma once
#include "plugin/host_services.h"
