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

TEST(ListOrderWrite, WritesOneCrLfLinePerNameAndReadsBack) {
  const Names names = {"Home", "\x95\\", "a,b"};
  EXPECT_EQ(storage::FormatListOrder(names), "Home\r\n\x95\\\r\na,b\r\n");
  EXPECT_EQ(storage::ParseListOrder(storage::FormatListOrder(names)), names);
  EXPECT_EQ(storage::FormatListOrder({}), "");
}

TEST(ListOrderWrite, LineBreakInNameDoesNotMakeTwoLists) {
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
  struct Case {
    std::string name;
    bool names;
  };
  const Case cases[] = {
      {"Home", true},
      {"v1.2", true},
      {"..", true},      // "...lst" is a plain file name
      {"\x95\\", true},  // a backslash as the second byte of one character
      {"\x83\x7C", true},
      {"\xB1", true},  // one-byte katakana
      {"", false},
      {"..\\..\\escape", false},
      {"..\\up1", false},
      {"../fwd", false},
      {"sub/x", false},
      {"C:x", false},
      {"CON", false},
      {"tab\there", false},
      {"\x80\\x", false},  // 0x80 is a single byte: the backslash is a separator
      {"\xA0/x", false},
      {"\xFD\\x", false},
      {"\x81\x81\\x", false},  // the backslash follows a whole character
      {"\xE0/", false},        // '/' is no trail byte
      {"end\x81", false},      // half a character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(storage::NamesFileInListFolder(c.name), c.names);
    EXPECT_EQ(storage::ListFilePath("data", c.name).empty(), !c.names);
  }
}

}  // namespace
