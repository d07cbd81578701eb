// Reading and writing list files: the marker line, record lines and lines without fields,
// line ends, long lines, and that what is written is read back exactly.

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>
#include <vector>

#include "records.h"
#include "storage/list_file_format.h"

namespace {

using storage::ListFileContent;
using storage::ListRecord;

struct ReadCase {
  const char* name;
  std::string bytes;
  bool noDate;
  std::vector<ListRecord> records;
};

class ListFileReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ListFileReadTest, YieldsTheStoredItems) {
  const ReadCase& c = GetParam();
  const ListFileContent content = storage::ParseListFile(c.bytes);
  EXPECT_EQ(content.noDate, c.noDate);
  EXPECT_EQ(content.records, c.records);
}

const std::string kLongText(400, 'x');

const ReadCase kReadCases[] = {
    {"EmptyFileIsDatedListWithoutItems", "", false, {}},
    {"MarkerOnlyIsNoDateListWithoutItems", "NO_DATE\r\n", true, {}},
    {"MarkerWithLoneLineFeed", "NO_DATE\n", true, {}},
    {"MarkerWithoutLineEndIsAnItem", "NO_DATE", false, {Rec(0, 0, 0, 0, "NO_DATE")}},
    {"MarkerAfterFirstLineIsAnItem",
     "0,2026,1,5,a\r\nNO_DATE\r\n",
     false,
     {Rec(0, 2026, 1, 5, "a"), Rec(0, 2026, 1, 5, "NO_DATE")}},
    {"SecondMarkerIsAnItem", "NO_DATE\r\nNO_DATE\r\n", true, {Rec(0, 0, 0, 0, "NO_DATE")}},
    {"CommasInTextStayInText",
     "0,2026,1,5,milk, eggs, bread\r\n",
     false,
     {Rec(0, 2026, 1, 5, "milk, eggs, bread")}},
    {"BlankLineTakesFieldsOfItemBefore",
     "1,2026,12,7,Pay rent\r\n\r\n",
     false,
     {Rec(1, 2026, 12, 7, "Pay rent"), Rec(1, 2026, 12, 7, "")}},
    {"RunsOfCommasBetweenFieldsCountOnce",
     ",,0,,2026,,,1,5,x\r\n",
     false,
     {Rec(0, 2026, 1, 5, "x")}},
    {"CommasAfterDayFieldBelongToText", "0,2026,1,5,,,x\r\n", false, {Rec(0, 2026, 1, 5, ",,x")}},
    {"EmptyTextFieldIsEmptyText", "0,2026,1,5,\r\n", false, {Rec(0, 2026, 1, 5, "")}},
    {"DayFieldEndingLineIsEmptyText", "1,2026,1,5\r\n", false, {Rec(1, 2026, 1, 5, "")}},
    {"FewerThanFourFieldsKeepsWholeLineAsText",
     "1,2026,3,4,a\r\n0,2026,3\r\n",
     false,
     {Rec(1, 2026, 3, 4, "a"), Rec(1, 2026, 3, 4, "0,2026,3")}},
    {"OnlyCommasKeepWholeLineAsText", ",,,,\r\n", false, {Rec(0, 0, 0, 0, ",,,,")}},
    {"EscapedCommasMakeNoRecord",
     "0\\,2026\\,1\\,5\\,x\r\n",
     false,
     {Rec(0, 0, 0, 0, "0\\,2026\\,1\\,5\\,x")}},
    {"LongRecordStaysOneItem",
     "0,2026,12,31," + kLongText + "\r\n1,2026,1,1,b\r\n",
     false,
     {Rec(0, 2026, 12, 31, kLongText), Rec(1, 2026, 1, 1, "b")}},
    {"CommaBeyondByte80MakesNoRecord",
     kLongText + ",1,2,3,y\r\n",
     false,
     {Rec(0, 0, 0, 0, kLongText + ",1,2,3,y")}},
    {"LoneLineFeedAndCrLfBothEndLines",
     "0,2026,1,5,a\n1,2026,1,6,b\r\n",
     false,
     {Rec(0, 2026, 1, 5, "a"), Rec(1, 2026, 1, 6, "b")}},
    {"LoneCarriageReturnIsText", "0,2026,1,5,a\rb\r\n", false, {Rec(0, 2026, 1, 5, "a\rb")}},
    {"CtrlZDoesNotEndTheFile",  // \032 is Ctrl-Z
     "0,2026,1,5,a\032b\r\n0,2026,1,6,c\r\n",
     false,
     {Rec(0, 2026, 1, 5, "a\032b"), Rec(0, 2026, 1, 6, "c")}},
    {"LastLineWithoutLineEndIsRead",
     "0,2026,1,5,a\r\n0,2026,1,6,b",
     false,
     {Rec(0, 2026, 1, 5, "a"), Rec(0, 2026, 1, 6, "b")}},
    {"NumbersAllowSpaceSignAndTrailingBytes",
     " +7,-1,13x,40,t\r\n",
     false,
     {Rec(7, 65535, 13, 40, "t")}},
    {"HugeNumbersDoNotOverflow",
     "99999999999999999999,70000,-99999999999999999999,1,t\r\n",
     false,
     {Rec(INT_MAX, 70000 & 0xFFFF, INT_MIN & 0xFFFF, 1, "t")}},
    {"FieldWithoutDigitsIsZero", "x,y,z,w,t\r\n", false, {Rec(0, 0, 0, 0, "t")}},
};

INSTANTIATE_TEST_SUITE_P(Files, ListFileReadTest, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& param) {
                           return std::string(param.param.name);
                         });

TEST(ListFileWrite, WritesMarkerAndRecordsWithCrLf) {
  ListFileContent content;
  content.noDate = true;
  content.records = {Rec(1, 2026, 12, 7, "Pay rent"), Rec(0, 65535, 1, 31, "a\\b,c")};
  EXPECT_EQ(storage::FormatListFile(content),
            "NO_DATE\r\n1,2026,12,7,Pay rent\r\n0,65535,1,31,a\\b,c\r\n");
  EXPECT_EQ(storage::FormatListFile(ListFileContent()), "");
}

TEST(ListFileWrite, LineBreakInTextDoesNotSplitTheItem) {
  ListFileContent content;
  content.records = {Rec(0, 2026, 1, 5, "one\r\ntwo\nthree")};
  const ListFileContent back = storage::ParseListFile(storage::FormatListFile(content));
  EXPECT_EQ(back.records, std::vector<ListRecord>{Rec(0, 2026, 1, 5, "one two three")});
}

// Any texts without line feeds, any numbers: what is written comes back unchanged, and
// writing it again gives the same bytes.
TEST(ListFileWrite, WrittenListsReadBackExactly) {
  std::mt19937 random(932);
  std::string alphabet = "ab ,\\\r\x1a\x81\x95\xA0\xE0\xFF";
  alphabet += '\0';
  for (int round = 0; round < 300; ++round) {
    ListFileContent content;
    content.noDate = round % 2 == 1;
    for (int item = round % 7; item > 0; --item) {
      std::string text;
      for (int length = static_cast<int>(random() % 300); length > 0; --length) {
        text += alphabet[random() % alphabet.size()];
      }
      content.records.push_back(Rec(static_cast<int>(random()), static_cast<int>(random()),
                                    static_cast<int>(random()), static_cast<int>(random()), text));
    }
    const std::string bytes = storage::FormatListFile(content);
    const ListFileContent back = storage::ParseListFile(bytes);
    ASSERT_EQ(back.noDate, content.noDate);
    ASSERT_EQ(back.records, content.records);
    ASSERT_EQ(storage::FormatListFile(back), bytes);
  }
}

}  // namespace
