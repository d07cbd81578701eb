// The separator search over any bytes: it never reads past the count it is given, and what
// it finds is a separator.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "storage/find_separator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > 1 << 16) return 0;
  // The first byte picks the separator; the rest is the text, in a buffer of exactly its
  // size, so that reading past it is caught.
  const char separator = static_cast<char>(data[0]);
  std::vector<char> text(data + 1, data + size);
  const int count = static_cast<int>(text.size());
  const int found = storage::FindSeparator(text.data(), count, separator);
  if (found < -1 || found >= count) std::abort();
  if (found >= 0 && text[found] != separator) std::abort();
  return 0;
}
