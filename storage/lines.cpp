#include "storage/lines.h"

#include "storage/byte_scan.h"

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
  const std::size_t feed = FindByte(*rest, '\n');
  const std::size_t taken = feed == std::string_view::npos ? rest->size() : feed + 1;
  const std::string_view whole = rest->substr(0, taken);
  line->text = whole.substr(0, LengthWithoutLineEnd(whole));
  line->ended = feed != std::string_view::npos;
  rest->remove_prefix(taken);
  return true;
}

std::string WithCrLfLineEnds(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 16 + 2);
  Line line;
  while (TakeLine(&bytes, &line)) {
    out += line.text;
    out += kLineEnd;
  }
  return out;
}

void AppendWithoutLineBreaks(std::string* out, std::string_view text) {
  // Appended in runs between line feeds: almost every text has none, and is one append.
  for (;;) {
    const std::size_t feed = FindByte(text, '\n');
    if (feed == std::string_view::npos) {
      out->append(text);
      return;
    }
    const std::size_t runEnd = feed > 0 && text[feed - 1] == '\r' ? feed - 1 : feed;
    out->append(text.substr(0, runEnd));
    out->push_back(' ');
    text.remove_prefix(feed + 1);
  }
}

}  // namespace storage
