#include "storage/find_separator.h"

namespace storage {

int FindSeparator(const char* text, int count, char separator) {
  if (text == nullptr || separator == '\0') return -1;  // the search ends at a zero byte
  int pos = 0;
  while (pos < count && text[pos] != '\0') {
    const char byte = text[pos];
    if (byte == '\\') {
      // An escape pair is passed over whole; the next byte is only looked at inside count.
      const bool escapes = pos + 1 < count && (text[pos + 1] == '\\' || text[pos + 1] == separator);
      pos += escapes ? 2 : 1;
    } else if (byte == separator) {
      return pos;
    } else if (IsLeadByteByValue(static_cast<unsigned char>(byte))) {
      // The trail byte is never tested; a lead byte at the end of the text ends the search.
      if (pos + 1 >= count || text[pos + 1] == '\0') return -1;
      pos += 2;
    } else {
      ++pos;
    }
  }
  return -1;
}

}  // namespace storage
