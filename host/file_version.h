#pragma once
// The version a module's version resource gives it.

#include <string>

// The file version of the module at path as four numbers with dots ("1.1.0.0"), or an empty
// text when the module has no version resource.
std::string FileVersionOf(const std::string& path);
