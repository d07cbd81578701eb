#pragma once
#include "plugin/todo_tool.h"
