// The separator search over code page 932 texts: escapes, double-byte characters whose second
// byte looks like a comma or a backslash, the byte ranges that count as lead bytes, and the
// limits (count, zero byte, end of the text) that it must never read past.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/storage_records.h"
#include "storage/find_separator.h"

namespace {

struct SeparatorCase {
  const char* name;
  std::string text;
  int count;
  int expected;
};

class FindSeparatorTest : public testing::TestWithParam<SeparatorCase> {};

TEST_P(FindSeparatorTest, FindsOnlyTheUnescapedWholeCharacterComma) {
  const SeparatorCase& c = GetParam();
  // An exact-size copy (with its zero byte), so that reading past the text is caught.
  std::vector<char> text(c.text.begin(), c.text.end());
  text.push_back('\0');
  EXPECT_EQ(storage::FindSeparator(text.data(), c.count, ','), c.expected);
}

const SeparatorCase kSeparatorCases[] = {
    {"PlainComma", "abc,def", 80, 3},
    {"NoComma", "abc", 80, -1},
    {"EmptyText", "", 80, -1},
    {"TrailByteCommaIsNoSeparator", "\x81,abc", 80, -1},
    {"CommaAfterDoubleByteIsFound", "\x81,a,b", 80, 3},
    {"TrailByteBackslashEscapesNothing", "\x95\\,x", 80, 2},
    {"EscapedCommaIsSkipped", "a\\,b,c", 80, 4},
    {"EscapedBackslashLeavesCommaFree", "a\\\\,b", 80, 3},
    {"BackslashBeforeOtherByteEscapesNothing", "a\\b,c", 80, 3},
    {"BackslashBeforeLeadByteLeavesItALeadByte", "\\\x81,,", 80, 3},
    {"LeadByteAsLastByte", "ab\x81", 80, -1},
    {"LeadByteAsLastCountedByte", "ab\x81,", 3, -1},
    {"BackslashAsLastByte", "ab\\", 80, -1},
    {"Byte80IsLeadByte", "\x80,x", 80, -1},
    {"ByteA0IsLeadByte", "\xA0,x", 80, -1},
    {"HalfWidthKanaA1IsSingleByte", "\xA1,x", 80, 1},
    {"HalfWidthKanaDFIsSingleByte", "\xDF,x", 80, 1},
    {"ByteE0IsLeadByte", "\xE0,x", 80, -1},
    {"ByteFFIsLeadByte", "\xFF,x", 80, -1},
    {"CommaBeyondCountIsNotFound", "abcdef,x", 6, -1},
    {"CommaAtLastCountedByteIsFound", "abcdef,x", 7, 6},
    {"ZeroByteEndsTheSearch", std::string("ab\0,c", 5), 80, -1},
    {"ZeroCount", ",", 0, -1},
    {"NegativeCount", ",", -5, -1},
};

INSTANTIATE_TEST_SUITE_P(Texts, FindSeparatorTest, testing::ValuesIn(kSeparatorCases), RowName());

TEST(FindSeparatorLimits, NeverReadsPastCountWithoutZeroByte) {
  // No zero byte anywhere: only count keeps the search inside the buffer.
  for (const std::string& text : {std::string("ab\x81"), std::string("ab\\"), std::string("abc")}) {
    std::vector<char> bytes(text.begin(), text.end());
    EXPECT_EQ(storage::FindSeparator(bytes.data(), static_cast<int>(bytes.size()), ','), -1);
  }
  EXPECT_EQ(storage::FindSeparator(nullptr, 10, ','), -1);
}

}  // namespace
