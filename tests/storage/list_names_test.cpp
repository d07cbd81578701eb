// Which texts may name a list: the characters a file name cannot hold, the names Windows
// keeps for itself, and names that are one file name as far as letter case goes.

#include <gtest/gtest.h>

#include <string>

#include "storage/list_names.h"

namespace {

TEST(ListNameCheck, ForbiddenCharactersCountUnlessTheyAreASecondByte) {
  struct Case {
    std::string name;
    bool bad;
  };
  const Case cases[] = {
      {"plain", false},     {"\x83\x5C", false},  // katakana so: its second byte is a backslash
      {"\x83\x7C", false},                        // katakana po: its second byte is a bar
      {"a\\b", true},       {"\\start", true},    // a hit at the first byte always counts
      {"\xB1\\", true},                           // after a one-byte katakana the backslash is one
      {"\x83\x5C\\", true},                       // the second backslash stands alone
      {"a/b", true},        {"a:b", true},       {"a*b", true}, {"a?b", true},   {"a\"b", true},
      {"a<b", true},        {"a>b", true},       {"a|b", true}, {"v1.2", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(storage::HasForbiddenNameCharacter(c.name), c.bad) << c.name;
  }
}

TEST(ListNameCheck, NamesWindowsCannotGiveAFileAreRefused) {
  for (const char* bad :
       {"CON", "con", "Nul", "aux.txt", "COM1", "lpt9", "prn ", "tab\there", "line\nbreak"}) {
    EXPECT_TRUE(storage::IsBadListName(bad)) << bad;
  }
  for (const char* good : {"CONSOLE", "COM0", "COM10", "NULL", "my con", "LPT"}) {
    EXPECT_FALSE(storage::IsBadListName(good)) << good;
  }
}

// Windows matches file names regardless of the case of ASCII letters only; the second byte of
// a double-byte character is no letter even where its value is one.
TEST(ListNameCheck, SameNameIgnoringCaseFoldsOnlyOneByteLetters) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {
      {"abc", "ABC", true},
      {"list1", "LIST1", true},
      {"abc", "abd", false},
      {"ab", "abc", false},
      {"\x83\x58", "\x83\x78", false},  // katakana su and be differ only by 0x20 in byte two
      {"\x82\x60", "\x82\x81", false},  // full-width letters are left alone
      {"\xB1\x61", "\xB1\x41", true},   // after a one-byte katakana the letter (a, A) folds
      {"[", "{", false},                // 0x5B and 0x7B are no letters
  };
  for (const Case& c : cases) {
    EXPECT_EQ(storage::SameNameIgnoringCase(c.a, c.b), c.same) << c.a << " / " << c.b;
  }
}

}  // namespace
