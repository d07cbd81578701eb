#pragma once
#include "dialog/entry_text.h"
