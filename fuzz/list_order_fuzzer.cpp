// Any bytes read as the list-order file: no crash, and the names written back are read back
// as the same names in the same order.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/list_order_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto names = storage::ParseListOrder(bytes);
  if (storage::ParseListOrder(storage::FormatListOrder(names)) != names) std::abort();
  return 0;
}
