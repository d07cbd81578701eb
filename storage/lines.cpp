#include "storage/lines.h"

namespace storage {

std::size_t LengthWithoutLineEnd(std::string_view text) {
  std::size_t length = text.size();
  if (length > 0 && text[length - 1] == '\n') {
    --length;
    if (length > 0 && text[length - 1] == '\r') --length;
  }
  return length;
}

bool TakeLine(std::string_view* rest, Line* line) {
  if (rest->empty()) return false;
  const std::size_t feed = rest->find('\n');
  const std::size_t taken = feed == std::string_view::npos ? rest->size() : feed + 1;
  const std::string_view whole = rest->substr(0, taken);
  line->text = whole.substr(0, LengthWithoutLineEnd(whole));
  line->ended = feed != std::string_view::npos;
  rest->remove_prefix(taken);
  return true;
}

void AppendWithoutLineBreaks(std::string* out, std::string_view text) {
  for (std::size_t pos = 0; pos < text.size(); ++pos) {
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') continue;
    out->push_back(text[pos] == '\n' ? ' ' : text[pos]);
  }
}

}  // namespace storage
