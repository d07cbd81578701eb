// The framework's byte strings: the host reads them by layout, and texts are code page 932.

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "framework/fw_string.h"

namespace {

TEST(CString, IsOnePointerToItsZeroTerminatedText) {
  CString text("abc");
  const char* inside = nullptr;
  std::memcpy(&inside, &text, sizeof(inside));
  EXPECT_STREQ("abc", inside);
  EXPECT_EQ(inside, text.GetString());
}

TEST(CString, CopiesAreIndependentOfTheirSource) {
  char buffer[] = "first";
  CString fromBuffer(buffer);
  buffer[0] = 'X';
  EXPECT_STREQ("first", fromBuffer);

  CString copy = fromBuffer;
  fromBuffer = "second";
  EXPECT_STREQ("first", copy);
  copy = copy;  // self-assignment keeps the text
  EXPECT_STREQ("first", copy);
}

TEST(CString, AppendingItsOwnTextDoesNotReadFreedMemory) {
  CString text("ab");
  text += text;
  EXPECT_STREQ("abab", text);
  text = text.GetString() + 1;  // assigning a tail of itself
  EXPECT_STREQ("bab", text);
}

TEST(CString, FormatHasNoLengthLimit) {
  const std::string longText(1000, 'x');
  CString text;
  text.Format("[%s] %d", longText.c_str(), 42);
  EXPECT_EQ(1000 + 5, text.GetLength());
  EXPECT_EQ('2', text.GetString()[text.GetLength() - 1]);
}

TEST(CString, EmptyAndNullTextsAreTheEmptyString) {
  CString fromNull(static_cast<const char*>(nullptr));
  EXPECT_TRUE(fromNull.IsEmpty());
  EXPECT_STREQ("", fromNull);
  CString text("x");
  text.Empty();
  EXPECT_EQ(0, text.GetLength());
  EXPECT_EQ(0, text.Compare(nullptr));
}

TEST(CString, ComparesBytesAsUnsignedSoDoubleByteTextSortsAfterAscii) {
  CString kana("\x83\x8A");  // a code page 932 double-byte character
  EXPECT_GT(kana.Compare("z"), 0);
  EXPECT_TRUE(kana == "\x83\x8A");
  EXPECT_TRUE(kana != "\x83\x8B");
}

TEST(CStringArray, KeepsOrderAndTextsAcrossGrowth) {
  CStringArray array;
  for (int i = 0; i < 100; ++i) EXPECT_EQ(i, array.Add(std::to_string(i).c_str()));
  ASSERT_EQ(100, array.GetSize());
  for (int i = 0; i < 100; ++i) EXPECT_STREQ(std::to_string(i).c_str(), array.GetAt(i));
  array.RemoveAll();
  EXPECT_EQ(0, array.GetCount());
}

}  // namespace
