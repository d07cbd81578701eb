#pragma once
// Decimal numbers in stored texts (list files, settings), read as the C library reads them but
// never undefined. Pure; any thread.

#include <string_view>

namespace storage {

// The number at the start of text: leading white space and a sign allowed, reading stops at
// the first other byte, no digits give 0, and a number too large for an int gives the nearest
// int.
int ParseClampedDecimal(std::string_view text);

}  // namespace storage
