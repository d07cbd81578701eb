#pragma once
#include "storage/list_store.h"
