#pragma once
// Finding and counting one byte value in a run of bytes, and comparing two runs, sixteen bytes
// at a time where the processor has SSE2. The C library under Wine looks at one byte at a
// time, which made the line splitting of a long list file several times slower in the module
// than natively, and the comparison of a long list's texts with what was read too. Pure; any
// thread.

#include <cstddef>
#include <string_view>

namespace storage {

// The position of the first `byte` in text, or std::string_view::npos.
std::size_t FindByte(std::string_view text, char byte);

// How many times `byte` occurs in text, and whether a zero byte does (*zero): one look at each
// byte for both.
std::size_t CountByteNotingZero(std::string_view text, char byte, bool* zero);

// Whether a and b are the same bytes. Reads no byte outside either.
bool SameBytes(std::string_view a, std::string_view b);

}  // namespace storage
