#pragma once
// The field-separator search that the list-file reader and the search share: the first
// separator that is neither escaped by a backslash nor the second byte of a double-byte
// character.

namespace storage {

// Whether a byte counts as the lead byte of a double-byte character by its value alone:
// 0x80-0xA0 and 0xE0-0xFF. The separator search and the list-name check both judge bytes so.
inline bool IsLeadByteByValue(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0xA0) || byte >= 0xE0;
}

// Returns the index of the first such separator in text, or -1 when there is none.
// Looks at no more than count bytes and stops at a zero byte, so text need not be
// zero-terminated when count is within it. Walking from index 0:
//   1. the byte after a lead byte is its trail byte and is passed over untested;
//   2. a backslash also passes over the next byte when that is a backslash or the separator;
//   3. the separator is the result;
//   4. 0x80-0xA0 and 0xE0-0xFF are lead bytes (this range, not the exact table of code page
//      932, is the rule that stored files were read by);
//   5. any other byte is passed over.
// A null text or a count of 0 or less gives -1. Pure; any thread.
int FindSeparator(const char* text, int count, char separator);

}  // namespace storage
