// Any bytes read as a list file: no crash, and what is read, written and read again is the
// same list, so that a save never changes a list it did not touch.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/list_file_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  storage::ListFileContent first = storage::ParseListFile(bytes);
  storage::ListFileContent again = storage::ParseListFile(storage::FormatListFile(first));
  if (again.noDate != first.noDate || again.records != first.records) std::abort();
  return 0;
}
