#pragma once
// Owner of a loaded module: frees it with FreeLibrary when it goes.

#include <windows.h>

#include <memory>
#include <type_traits>

struct ModuleFreer {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};

using ModuleHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;
