// The list-order file (one name per line, whole lines) and the four path patterns.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/list_names.h"
#include "storage/list_order_format.h"
#include "storage/paths.h"

namespace {

using Names = std::vector<std::string>;

TEST(ListOrderRead, ReadsEveryLineWholeAsOneName) {
  const std::string longName(300, '\x88');
  const struct {
    std::string bytes;
    Names names;
  } cases[] = {
      {"", {}},
      {"Home\r\nWork\r\n", {"Home", "Work"}},
      {"Home\nWork", {"Home", "Work"}},  // the last name keeps its last byte
      {longName + "\r\nShort\r\n", {longName, "Short"}},
      {"A\r\n\r\nB\r\n", {"A", "", "B"}},
      {"a\rb\032\r\n", {"a\rb\032"}},  // \032 is Ctrl-Z
  };
  for (const auto& c : cases) EXPECT_EQ(storage::ParseListOrder(c.bytes), c.names) << c.bytes;
}

// A line break in a name does not make two lists.
TEST(ListOrderWrite, WritesOneCrLfLinePerNameAndReadsBack) {
  const Names names = {"Home", "\x95\\", "a,b"};
  EXPECT_EQ(storage::FormatListOrder(names), "Home\r\n\x95\\\r\na,b\r\n");
  EXPECT_EQ(storage::ParseListOrder(storage::FormatListOrder(names)), names);
  EXPECT_EQ(storage::FormatListOrder({}), "");
  EXPECT_EQ(storage::ParseListOrder(storage::FormatListOrder({"one\r\ntwo\nthree"})),
            Names{"one two three"});
}

TEST(Paths, FollowTheFourPatterns) {
  const char s = storage::kPathSeparator;
  const std::string data = std::string("D") + s + "data";
  const std::string folder = data + s + "ToDoList";
  EXPECT_EQ(storage::ListFolderPath(data), folder);
  EXPECT_EQ(storage::ListFolderSearchPath(data), folder + s);
  EXPECT_EQ(storage::ListFilePath(data, "Home"), folder + s + "Home.lst");
  EXPECT_EQ(storage::ListOrderPath(), std::string(".") + s + "ToDoList" + s + "ListInfo.dat");
}

TEST(Paths, TrailByteBackslashIsNoSeparator) {
  // The list name is one double-byte character whose second byte is a backslash.
  const std::string path = storage::ListFilePath("data", "\x95\\");
  EXPECT_EQ(storage::FolderPartLength(path), storage::ListFolderSearchPath("data").size());
  EXPECT_EQ(storage::FolderPartLength("plain"), 0u);
}

// The list-name check judges a double-byte character by its first byte's value alone; the
// gate for paths must not let through what that lets slip: a separator after a byte that is
// no lead byte in code page 932, or after a whole double-byte character.
TEST(ListFileGate, NamesThatLeaveTheListFolderMakeNoPath) {
  // "..": "...lst" is a plain file name; "\x95\\": a backslash as the second byte of one
  // character; "\xB1": a one-byte katakana.
  for (const std::string name : {"Home", "v1.2", "..", "\x95\\", "\x83\x7C", "\xB1"}) {
    EXPECT_TRUE(storage::NamesFileInListFolder(name)) << name;
    EXPECT_FALSE(storage::ListFilePath("data", name).empty()) << name;
  }
  // 0x80, 0xA0 and 0xFD are single bytes, so the separators after them are separators; a
  // backslash after a whole double-byte character is one too; '/' is no trail byte, and
  // "end\x81" ends in half a character.
  for (const std::string name :
       {"", "..\\..\\escape", "..\\up1", "../fwd", "sub/x", "C:x", "CON", "tab\there", "\x80\\x",
        "\xA0/x", "\xFD\\x", "\x81\x81\\x", "\xE0/", "end\x81"}) {
    EXPECT_FALSE(storage::NamesFileInListFolder(name)) << name;
    EXPECT_TRUE(storage::ListFilePath("data", name).empty()) << name;
  }
}

}  // namespace
