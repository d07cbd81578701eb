#include "storage/list_order_format.h"

#include "storage/lines.h"

namespace storage {

std::vector<std::string> ParseListOrder(std::string_view bytes) {
  std::vector<std::string> names;
  Line line;
  while (TakeLine(&bytes, &line)) names.emplace_back(line.text);
  return names;
}

std::string FormatListOrder(const std::vector<std::string>& names) {
  std::string bytes;
  for (const std::string& name : names) {
    AppendWithoutLineBreaks(&bytes, name);
    bytes += kLineEnd;
  }
  return bytes;
}

}  // namespace storage
