#pragma once
// The fixture's former header, still included by tests/dialog.
#include "storage/folder_test.h"
