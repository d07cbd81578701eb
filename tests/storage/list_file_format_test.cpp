// Reading and writing list files: the marker line, record lines and lines without fields,
// line ends, long lines, that what is written is read back exactly, and that a list written
// back with the lines it was read from keeps the bytes of every record it did not change.

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/storage_random_edits.h"
#include "support/storage_records.h"
#include "storage/list_file_as_read.h"
#include "storage/list_file_format.h"
#include "storage/lines.h"

namespace {

using storage::ListFileAsRead;
using storage::ListFileContent;
using storage::ListRecord;

ListFileContent Parse(const std::string& bytes) {
  return ListFileAsRead(bytes).ToContent();
}

struct ReadCase {
  const char* name;
  std::string bytes;
  std::vector<ListRecord> records;
  bool noDate = false;
};

class ListFileReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ListFileReadTest, YieldsTheStoredItems) {
  const ReadCase& c = GetParam();
  const ListFileContent content = Parse(c.bytes);
  EXPECT_EQ(content.noDate, c.noDate);
  EXPECT_EQ(content.records, c.records);
}

const std::string kLongText(400, 'x');

const ReadCase kReadCases[] = {
    {"EmptyFileIsDatedListWithoutItems", "", {}},
    {"MarkerOnlyIsNoDateListWithoutItems", "NO_DATE\r\n", {}, true},
    {"MarkerWithLoneLineFeed", "NO_DATE\n", {}, true},
    {"MarkerWithoutLineEndIsAnItem", "NO_DATE", {Rec(0, 0, 0, 0, "NO_DATE")}},
    {"MarkerAfterFirstLineIsAnItem",
     "0,2026,1,5,a\r\nNO_DATE\r\n",
     {Rec(0, 2026, 1, 5, "a"), Rec(0, 2026, 1, 5, "NO_DATE")}},
    {"SecondMarkerIsAnItem", "NO_DATE\r\nNO_DATE\r\n", {Rec(0, 0, 0, 0, "NO_DATE")}, true},
    {"CommasInTextStayInText",
     "0,2026,1,5,milk, eggs, bread\r\n",
     {Rec(0, 2026, 1, 5, "milk, eggs, bread")}},
    {"BlankLineTakesFieldsOfItemBefore",
     "1,2026,12,7,Pay rent\r\n\r\n",
     {Rec(1, 2026, 12, 7, "Pay rent"), Rec(1, 2026, 12, 7, "")}},
    {"RunsOfCommasBetweenFieldsCountOnce", ",,0,,2026,,,1,5,x\r\n", {Rec(0, 2026, 1, 5, "x")}},
    {"CommasAfterDayFieldBelongToText", "0,2026,1,5,,,x\r\n", {Rec(0, 2026, 1, 5, ",,x")}},
    {"EmptyTextFieldIsEmptyText", "0,2026,1,5,\r\n", {Rec(0, 2026, 1, 5, "")}},
    {"DayFieldEndingLineIsEmptyText", "1,2026,1,5\r\n", {Rec(1, 2026, 1, 5, "")}},
    {"FewerThanFourFieldsKeepsWholeLineAsText",
     "1,2026,3,4,a\r\n0,2026,3\r\n",
     {Rec(1, 2026, 3, 4, "a"), Rec(1, 2026, 3, 4, "0,2026,3")}},
    {"OnlyCommasKeepWholeLineAsText", ",,,,\r\n", {Rec(0, 0, 0, 0, ",,,,")}},
    {"EscapedCommasMakeNoRecord",
     "0\\,2026\\,1\\,5\\,x\r\n",
     {Rec(0, 0, 0, 0, "0\\,2026\\,1\\,5\\,x")}},
    {"LongRecordStaysOneItem",
     "0,2026,12,31," + kLongText + "\r\n1,2026,1,1,b\r\n",
     {Rec(0, 2026, 12, 31, kLongText), Rec(1, 2026, 1, 1, "b")}},
    {"CommaBeyondByte80MakesNoRecord",
     kLongText + ",1,2,3,y\r\n",
     {Rec(0, 0, 0, 0, kLongText + ",1,2,3,y")}},
    {"LoneLineFeedAndCrLfBothEndLines",
     "0,2026,1,5,a\n1,2026,1,6,b\r\n",
     {Rec(0, 2026, 1, 5, "a"), Rec(1, 2026, 1, 6, "b")}},
    {"LoneCarriageReturnIsText", "0,2026,1,5,a\rb\r\n", {Rec(0, 2026, 1, 5, "a\rb")}},
    {"CtrlZDoesNotEndTheFile",  // \032 is Ctrl-Z
     "0,2026,1,5,a\032b\r\n0,2026,1,6,c\r\n",
     {Rec(0, 2026, 1, 5, "a\032b"), Rec(0, 2026, 1, 6, "c")}},
    {"LastLineWithoutLineEndIsRead",
     "0,2026,1,5,a\r\n0,2026,1,6,b",
     {Rec(0, 2026, 1, 5, "a"), Rec(0, 2026, 1, 6, "b")}},
    {"NumbersAllowSpaceSignAndTrailingBytes", " +7,-1,13x,40,t\r\n", {Rec(7, 65535, 13, 40, "t")}},
    {"HugeNumbersDoNotOverflow",
     "99999999999999999999,70000,-99999999999999999999,1,t\r\n",
     {Rec(INT_MAX, 70000 & 0xFFFF, INT_MIN & 0xFFFF, 1, "t")}},
    {"FieldWithoutDigitsIsZero", "x,y,z,w,t\r\n", {Rec(0, 0, 0, 0, "t")}},
};

INSTANTIATE_TEST_SUITE_P(Files, ListFileReadTest, testing::ValuesIn(kReadCases), RowName());

TEST(ListFileWrite, WritesMarkerAndRecordsWithCrLf) {
  const struct {
    const char* name;
    ListFileContent content;
    std::string bytes;
  } cases[] = {
      {"marker and records",
       {true, {Rec(1, 2026, 12, 7, "Pay rent"), Rec(0, 65535, 1, 31, "a\\b,c")}},
       "NO_DATE\r\n1,2026,12,7,Pay rent\r\n0,65535,1,31,a\\b,c\r\n"},
      {"nothing", {}, ""},
      {"a line break in a text does not split the item",
       {false, {Rec(0, 2026, 1, 5, "one\r\ntwo\nthree")}},
       "0,2026,1,5,one two three\r\n"},
      {"content without the file as read is formatted", Parse(" 1,2026,1,5,a\r\nb\r\n"),
       "1,2026,1,5,a\r\n1,2026,1,5,b\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(storage::FormatListFile(c.content), c.bytes) << c.name;
  }
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
    const ListFileContent back = Parse(bytes);
    ASSERT_EQ(back.noDate, content.noDate);
    ASSERT_EQ(back.records, content.records);
    ASSERT_EQ(storage::FormatListFile(back), bytes);
  }
}

// Writes back the list read from bytes, with the lines it was read from, and checks what
// every such write must hold whatever the bytes: the list reads back the same, and what was
// written, read again, writes itself back unchanged.
std::string WriteBackUnchanged(const std::string& bytes) {
  const ListFileAsRead file(bytes);
  const ListFileContent read = file.ToContent();
  const std::string out = storage::FormatListFile(read, &file);
  const ListFileAsRead back(out);
  EXPECT_EQ(back.NoDate(), read.noDate);
  EXPECT_EQ(back.ToContent().records, read.records);
  EXPECT_EQ(storage::FormatListFile(back.ToContent(), &back), out);
  return out;
}

struct KeepCase {
  const char* name;
  std::string bytes;
  std::string written;  // empty: the bytes with CR LF line ends
};

class ListFileKeepTest : public testing::TestWithParam<KeepCase> {};

TEST_P(ListFileKeepTest, UnchangedListIsWrittenBackByteForByte) {
  const KeepCase& c = GetParam();
  EXPECT_EQ(WriteBackUnchanged(c.bytes), c.written.empty() ? c.bytes : c.written);
}

const KeepCase kKeepCases[] = {
    {"LeadingZerosAndWhiteSpaceInNumbers", " 01,2026,01,05,x\r\n\t0, 2026,\v12,007,y\r\n", ""},
    {"SignsInNumbers", "+1,-0,+2026,-5,t\r\n-1,+0,+0,+0,u\r\n", ""},
    {"TrailingBytesInNumbers", "1x,2026y,1z,5 ,t\r\n", ""},
    {"RunsOfCommas", ",,0,,2026,,,1,5,,,x\r\n,,,1,2,3,4\r\n", ""},
    {"FewerThanFourFields", "1,2026,3,4,a\r\n0,2026,3\r\n1,\r\n", ""},
    {"OnlyCommas", ",,,,\r\n", ""},
    {"LinesWithoutComma", "hello\r\n1,2026,1,5,a\r\nhello\r\n", ""},
    {"EmptyLines", "\r\n\r\n1,2026,1,5,a\r\n\r\n\r\n", ""},
    {"LoneCarriageReturnsInLines", "0,2026,1,5,a\rb\r\n\rc\r\nd\r\r\n", ""},
    {"CtrlZInLine", "0,2026,1,5,a\032b\r\n", ""},
    {"MarkerNotFirstIsKept", "0,2026,1,5,a\r\nNO_DATE\r\n", ""},
    {"SecondMarkerAfterMarkerIsKept", "NO_DATE\r\nNO_DATE\r\nx\r\n", ""},
    {"MarkerWithLoneLineFeed", "NO_DATE\nx\n", "NO_DATE\r\nx\r\n"},
    {"NumbersTooLargeForAnInt", "99999999999999999999,70000,-99999999999999999999,1,t\r\n", ""},
    {"NumbersTooLargeFor16Bits", "0,65536,65537,131071,t\r\n-1,-65536,65535,0,u\r\n", ""},
    // In code page 932 "表" is 0x95 0x5C and "ソ" is 0x83 0x5C: their trail byte is a backslash.
    {"DoubleByteTextsWithBackslashTrailBytes", "0,2026,1,5,\x95\\\x83\\\r\n\x95\\,1,2,3,x\r\n", ""},
    {"EscapedCommasMakeTextOnlyLine", "1,2026,1,5,a\r\n0\\,2026\\,1\\,5\\,x\r\n", ""},
    {"LongRecord", "0,2026,12,31," + std::string(100000, '\x88') + "\r\n", ""},
    {"CommaBeyondByte80", "1,2026,1,5,a\r\n" + std::string(80, 'y') + ",1,2,3,z\r\n", ""},
    {"LoneLineFeedsBecomeCrLf", "0,2026,1,5,a\n\nb\n", "0,2026,1,5,a\r\n\r\nb\r\n"},
    {"LastLineWithoutLineEndGetsOne", "0,2026,1,5,a\r\n  b", "0,2026,1,5,a\r\n  b\r\n"},
    {"LastLineEndingInCarriageReturn", "a\r", "a\r\r\n"},
    {"EmptyFile", "", ""},
    // Written as it was read, this line would be the marker when read again.
    {"MarkerWithoutLineEndIsWrittenAsARecord", "NO_DATE", "0,0,0,0,NO_DATE\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Files, ListFileKeepTest, testing::ValuesIn(kKeepCases), RowName());

// Random bytes, heavy in the bytes that make records odd: any list file without a 0 byte is
// written back as it was, but for its line ends.
TEST(ListFileKeep, AnyBytesAreWrittenBackUnchanged) {
  std::mt19937 random(932);
  const std::vector<std::string> pieces = {
      "0",  "1",   "9",       "00",          "-",           "+",     " ",
      "\t", ",",   ",",       ",,",          "\r",          "\n",    "\r\n",
      "\n", "\\",  "\x95\\",  "\x81",        "\xE0",        "\xFF",  "\032",
      "x",  "abc", "NO_DATE", "NO_DATE\r\n", "99999999999", "65536", std::string(90, 'w')};
  for (int round = 0; round < 4000; ++round) {
    std::string bytes;
    for (int count = static_cast<int>(random() % 40); count > 0; --count) {
      bytes += pieces[random() % pieces.size()];
    }
    ASSERT_FALSE(ListFileAsRead(bytes).HoldsZeroByte());
    const std::string expected =
        bytes == "NO_DATE" ? "0,0,0,0,NO_DATE\r\n" : storage::WithCrLfLineEnds(bytes);
    ASSERT_EQ(WriteBackUnchanged(bytes), expected) << testing::PrintToString(bytes);
  }
}

TEST(ListFileRead, ZeroByteAnywhereIsReported) {
  const struct {
    std::string bytes;
    bool holdsZeroByte;
  } cases[] = {
      {"", false},
      {"NO_DATE\r\n1,2026,1,5,a\\b\x95\\\r\n", false},
      {std::string("\0", 1), true},
      {std::string("1,2026,1,5,a\0b\r\n", 16), true},
      {std::string("1,2026,1,5,a\r\n\0", 15), true},
      {std::string("NO_DATE\r\n\r\n\0\r\n", 14), true},
  };
  for (const auto& c : cases) {
    const ListFileAsRead file(c.bytes);
    EXPECT_EQ(file.HoldsZeroByte(), c.holdsZeroByte) << testing::PrintToString(c.bytes);
    // The file as a save writes it, kept without being read again, says the same as its bytes
    // read back: with the lines as read kept, and with every line formatted anew.
    const storage::ListFileContent content = file.ToContent();
    for (const ListFileAsRead* asRead : {&file, static_cast<const ListFileAsRead*>(nullptr)}) {
      const ListFileAsRead written =
          storage::FormatListFileAsRead(storage::ViewOf(content), asRead);
      EXPECT_EQ(written.HoldsZeroByte(), ListFileAsRead(written.Bytes()).HoldsZeroByte())
          << testing::PrintToString(c.bytes) << (asRead ? " kept" : " formatted");
    }
  }
}

TEST(ListFileRead, LinesTellWhichTakeTheFieldsBefore) {
  const ListFileAsRead file("NO_DATE\r\n 1,2,3,4,a\nb\r\n1,2,3\r\n\r\n,,1,2,3,4");
  const std::vector<std::pair<std::string, bool>> expected = {
      {" 1,2,3,4,a", false}, {"b", true}, {"1,2,3", true}, {"", true}, {",,1,2,3,4", false}};
  ASSERT_EQ(file.Count(), expected.size());
  for (std::size_t line = 0; line < expected.size(); ++line) {
    EXPECT_EQ(file.Line(line), expected[line].first) << line;
    EXPECT_EQ(file.Record(line).takesFieldsFromBefore, expected[line].second) << line;
  }
}

// Every spelling of a record, the one the tool writes or any other, is written back as it was
// read, but for its line end.
TEST(ListFileRead, EverySpellingOfARecordIsWrittenBackAsRead) {
  const std::string bytes =
      "1,2026,12,8,a, b\r\n"   // formatted
      "-1,0,0,0,\r\n"          // formatted: a sign and the empty text
      "0,2026,1,1,lone\rcr\n"  // formatted: a lone CR is text
      "01,2026,12,8,a\r\n"     // a leading zero
      "1,2026,12,08,a\r\n"
      "1,,2026,12,8,a\r\n"  // a run of commas
      "1,2026,12, 8,a\r\n"  // white space
      "0,65537,1,1,a\r\n"   // a year kept to its low 16 bits
      "0,2026,1,1,x\r";     // a last line ending in CR: the CR is text
  const ListFileAsRead file(bytes);
  ASSERT_EQ(file.Count(), 9u);
  std::string asWritten = bytes + "\r\n";  // with CR LF line ends
  asWritten.replace(asWritten.find("cr\n"), 3, "cr\r\n");
  EXPECT_EQ(storage::FormatListFile(file.ToContent(), &file), asWritten);
}

using Edit = std::function<void(ListFileContent&)>;

// A list whose lines are all written oddly: numbers with leading zeros and signs, runs of
// commas, a text-only line that takes the fields of the line before, no last line end.
const std::string kOddList =
    " 01,2026,01,05,milk\r\n"  // 1, 2026/1/5
    "bread\r\n"                // takes 1, 2026/1/5
    "0,,2026,,2,,3,eggs\r\n"   // 0, 2026/2/3
    "+0,2026,3,4,tea";         // 0, 2026/3/4

struct EditCase {
  const char* name;
  Edit edit;
  std::string written;
  std::string bytes = kOddList;
};

template <typename T>
void Move(std::vector<T>& items, std::size_t from, std::size_t to) {
  T item = items[from];
  items.erase(items.begin() + static_cast<std::ptrdiff_t>(from));
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(to), item);
}

void Insert(ListFileContent& content, std::size_t at, ListRecord record) {
  content.records.insert(content.records.begin() + static_cast<std::ptrdiff_t>(at), record);
}

void Delete(ListFileContent& content, std::size_t at) {
  content.records.erase(content.records.begin() + static_cast<std::ptrdiff_t>(at));
}

const EditCase kEditCases[] = {
    {"NothingChangedKeepsEveryLine", [](auto&) {},
     " 01,2026,01,05,milk\r\nbread\r\n0,,2026,,2,,3,eggs\r\n+0,2026,3,4,tea\r\n"},
    {"ChangedTextFormatsOnlyItsLine", [](auto& c) { c.records[2].text = "EGGS"; },
     " 01,2026,01,05,milk\r\nbread\r\n0,2026,2,3,EGGS\r\n+0,2026,3,4,tea\r\n"},
    {"ChangedDateFormatsOnlyItsLine", [](auto& c) { c.records[3].day = 9; },
     " 01,2026,01,05,milk\r\nbread\r\n0,,2026,,2,,3,eggs\r\n0,2026,3,9,tea\r\n"},
    {"ChangedDoneFlagFormatsOnlyItsLine", [](auto& c) { c.records[2].done = 1; },
     " 01,2026,01,05,milk\r\nbread\r\n1,2026,2,3,eggs\r\n+0,2026,3,4,tea\r\n"},
    {"TextOnlyLineKeptWhenOnlyTextBeforeChanged", [](auto& c) { c.records[0].text = "oat milk"; },
     "1,2026,1,5,oat milk\r\nbread\r\n0,,2026,,2,,3,eggs\r\n+0,2026,3,4,tea\r\n"},
    {"TextOnlyLineFormattedWhenDoneFlagBeforeChanged", [](auto& c) { c.records[0].done = 0; },
     "0,2026,1,5,milk\r\n1,2026,1,5,bread\r\n0,,2026,,2,,3,eggs\r\n+0,2026,3,4,tea\r\n"},
    {"TextOnlyLineFormattedWhenDateBeforeChanged", [](auto& c) { c.records[0].month = 6; },
     "1,2026,6,5,milk\r\n1,2026,1,5,bread\r\n0,,2026,,2,,3,eggs\r\n+0,2026,3,4,tea\r\n"},
    {"MovedItemKeepsItsLine", [](auto& c) { Move(c.records, 3, 0); },
     "+0,2026,3,4,tea\r\n 01,2026,01,05,milk\r\nbread\r\n0,,2026,,2,,3,eggs\r\n"},
    {"TextOnlyLineMovedToTheTopIsFormatted", [](auto& c) { Move(c.records, 1, 0); },
     "1,2026,1,5,bread\r\n 01,2026,01,05,milk\r\n0,,2026,,2,,3,eggs\r\n+0,2026,3,4,tea\r\n"},
    {"TextOnlyLineMovedBelowOtherFieldsIsFormatted", [](auto& c) { Move(c.records, 1, 3); },
     " 01,2026,01,05,milk\r\n0,,2026,,2,,3,eggs\r\n+0,2026,3,4,tea\r\n1,2026,1,5,bread\r\n"},
    {"DeletedItemLeavesTheOtherLines", [](auto& c) { Delete(c, 2); },
     " 01,2026,01,05,milk\r\nbread\r\n+0,2026,3,4,tea\r\n"},
    {"TextOnlyLineFormattedWhenItemBeforeDeleted", [](auto& c) { Delete(c, 0); },
     "1,2026,1,5,bread\r\n0,,2026,,2,,3,eggs\r\n+0,2026,3,4,tea\r\n"},
    {"InsertedItemIsFormattedAlone", [](auto& c) { Insert(c, 3, Rec(0, 2026, 4, 1, "jam")); },
     " 01,2026,01,05,milk\r\nbread\r\n0,,2026,,2,,3,eggs\r\n0,2026,4,1,jam\r\n"
     "+0,2026,3,4,tea\r\n"},
    {"TextOnlyLineFormattedAfterInsertedItemWithOtherFields",
     [](auto& c) { Insert(c, 1, Rec(0, 2026, 1, 5, "jam")); },
     " 01,2026,01,05,milk\r\n0,2026,1,5,jam\r\n1,2026,1,5,bread\r\n0,,2026,,2,,3,eggs\r\n"
     "+0,2026,3,4,tea\r\n"},
    {"TextOnlyLineKeptAfterInsertedItemWithSameFields",
     [](auto& c) { Insert(c, 1, Rec(1, 2026, 1, 5, "jam")); },
     " 01,2026,01,05,milk\r\n1,2026,1,5,jam\r\nbread\r\n0,,2026,,2,,3,eggs\r\n"
     "+0,2026,3,4,tea\r\n"},
    {"CopiedItemUsesItsStoredLineOnce", [](auto& c) { Insert(c, 0, c.records[0]); },
     " 01,2026,01,05,milk\r\n1,2026,1,5,milk\r\nbread\r\n0,,2026,,2,,3,eggs\r\n"
     "+0,2026,3,4,tea\r\n"},
    {"EqualItemsKeepTheirLinesInOrder", [](auto& c) { Delete(c, 1); },
     "1,2,3,4,x\r\n01,2,3,4,x\r\n", "1,2,3,4,x\r\n01,2,3,4,x\r\n001,2,3,4,x\r\n"},
    {"MarkerTurnedOnKeepsTheLines", [](auto& c) { c.noDate = true; },
     "NO_DATE\r\n 01,2026,01,05,milk\r\nbread\r\n0,,2026,,2,,3,eggs\r\n+0,2026,3,4,tea\r\n"},
    {"MarkerTurnedOffNeverLeavesAnItemAsTheMarker", [](auto& c) { c.noDate = false; },
     "0,0,0,0,NO_DATE\r\nNO_DATE\r\n", "NO_DATE\r\nNO_DATE\r\nNO_DATE\r\n"},
    {"ItemMovedUpNeverBecomesTheMarker", [](auto& c) { Delete(c, 0); }, "0,0,0,0,NO_DATE\r\n",
     "x\r\nNO_DATE\r\n"},
};

class ListFileEditTest : public testing::TestWithParam<EditCase> {};

TEST_P(ListFileEditTest, OnlyChangedLinesAreFormatted) {
  const EditCase& c = GetParam();
  const ListFileAsRead read(c.bytes);
  ListFileContent edited = read.ToContent();
  c.edit(edited);
  const std::string out = storage::FormatListFile(edited, &read);
  EXPECT_EQ(out, c.written);
  const ListFileAsRead back(out);
  EXPECT_EQ(back.NoDate(), edited.noDate);
  EXPECT_EQ(back.ToContent().records, edited.records);
  // What was written, as the next save's file as read, is written again unchanged.
  EXPECT_EQ(storage::FormatListFile(edited, &back), out);
}

INSTANTIATE_TEST_SUITE_P(Files, ListFileEditTest, testing::ValuesIn(kEditCases), RowName());

// Random lists with many equal items, randomly edited: what is written always reads back as
// the edited list, whichever lines as read it reuses.
TEST(ListFileEdit, RandomEditsReadBackAsEdited) {
  std::mt19937 random(5932);
  const std::vector<std::string> lines = {"0,1,1,1,a", "00,1,1,1,a", "1,1,1,1,a", "a",      "",
                                          "0,1,1,1",   "1,1,1",      "b",         "NO_DATE"};
  for (int round = 0; round < 2000; ++round) {
    std::string bytes = round % 3 == 0 ? "NO_DATE\r\n" : "";
    for (int count = static_cast<int>(random() % 12); count > 0; --count) {
      bytes += lines[random() % lines.size()] + "\r\n";
    }
    const ListFileAsRead file(bytes);
    const ListFileContent read = file.ToContent();
    ListFileContent edited = read;
    EditAtRandom(&edited, static_cast<int>(random() % 4), random, &read.records);
    const std::string out = storage::FormatListFile(edited, &file);
    const ListFileContent back = Parse(out);
    ASSERT_EQ(back.noDate, edited.noDate) << testing::PrintToString(bytes);
    ASSERT_EQ(back.records, edited.records) << testing::PrintToString(bytes);
  }
}

}  // namespace
