// The search over a folder of list files: which entries count, what list names results carry,
// how lines are read (line ends, the marker, lines of any length, files that arrive in small
// pieces or fail midway), how a stop ends it, and the answer to modes the tool lacks.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "search/search_fixture.h"
#include "support/tool_facts.h"

namespace {

TEST_P(SearchResults, AreExactlyThese) {
  const SearchCase& c = GetParam();
  if (!c.home.empty()) WriteList("Home", c.home);
  for (const auto& file : c.others) Write(m_folder.File(file.first), file.second);
  Lines results;
  for (std::size_t at = 0, end = 0; end < c.results.size(); at = end + 1) {
    end = std::min(c.results.find('\n', at), c.results.size());
    results.push_back(c.results.substr(at, end - at));
  }
  EXPECT_EQ(Search(c.text, c.entries.empty() ? nullptr : &c.entries), results);
}

const SearchCase kFolderCases[] = {
    {"OnlyEntriesEndingInLowerCaseLstAreSearched",
     "0,2026,1,1,x\r\n",
     "x",
     "[Home] (未) 期限：2026/1/1 x\n"
     "[v1.2] (未) 期限：2026/1/2 x",
     {{"v1.2.lst", "0,2026,1,2,x\r\n"},
      {"Shout.LST", "0,2026,1,3,x\r\n"},
      {"ListInfo.dat", "0,2026,1,4,x\r\n"},
      {"notes.txt", "0,2026,1,5,x\r\n"}}},
#if !defined(_WIN32)  // Windows file names cannot hold an asterisk
    {"EntriesAreJudgedWithoutLeadingWhiteSpace",
     "0,2026,1,1,x\r\n",
     "x",
     "",
     {{"*star.lst", "0,2026,1,2,x\r\n"}},
     {"*star.lst", " \t*star.lst", ".ls", "", " "}},
#endif
    {"EntryWithLeadingWhiteSpaceNeverOpensAnotherList",
     "0,2026,1,1,home\r\n",
     "e",
     "[ Home] (未) 期限：2026/1/2 spaced\n"
     "[Home] (未) 期限：2026/1/1 home",
     {{" Home.lst", "0,2026,1,2,spaced\r\n"}},
     {" Home.lst", "\tHome.lst", "Home.lst"}},
    {"MissingFileIsSkippedAndTheNextIsSearched",
     "",
     "x",
     "[b] (未) 期限：2026/1/1 x",
     {{"b.lst", "0,2026,1,1,x\r\n"}},
     {"a.lst", "b.lst"}},
    {"ResultsFollowEntryOrderThenLineOrder",
     "",
     "x",
     "[b] (未) 期限：2026/1/3 x3\n"
     "[a] (未) 期限：2026/1/1 x1\n"
     "[a] (未) 期限：2026/1/2 x2",
     {{"a.lst", "0,2026,1,1,x1\r\n0,2026,1,2,x2\r\n"}, {"b.lst", "0,2026,1,3,x3\r\n"}},
     {"b.lst", "a.lst"}},
    {"NoDateMarkerGivesNothingButItsItemsAreFound", "NO_DATE\r\n0,2026,3,4,x\r\nNO_DATE\r\n", "",
     "[Home] (未) 期限：2026/3/4 x\n"
     "[Home] (済) 期限：// NO_DATE"},
    // The marker counts only as the first line, with or without a line end.
    {"MarkerAsTheWholeFile", "NO_DATE", "NO_DATE", ""},
    {"MarkerWithLoneLineFeed", "NO_DATE\n", "NO_DATE", ""},
    {"MarkerAfterAnEmptyLine", "\r\nNO_DATE\r\n", "NO_DATE", "[Home] (済) 期限：// NO_DATE"},
    {"MarkerWithMoreBytes", "NO_DATEx\r\n", "NO_DATE", "[Home] (済) 期限：// NO_DATEx"},
    {"EmptyLinesGiveNothingEvenForTheEmptyText", "\r\n\n0,2026,1,1,a\r\n\r\n", "",
     "[Home] (未) 期限：2026/1/1 a"},
    {"LineEndsAreCrLfOrLoneLf", "0,2026,1,1,a\r\n0,2026,1,2,b\n0,2026,1,3,c\rd\r\n0,2026,1,4,e\r",
     "",
     "[Home] (未) 期限：2026/1/1 a\n"
     "[Home] (未) 期限：2026/1/2 b\n"
     "[Home] (未) 期限：2026/1/3 c\rd\n"
     "[Home] (未) 期限：2026/1/4 e\r"},
};

INSTANTIATE_TEST_SUITE_P(Folders, SearchResults, testing::ValuesIn(kFolderCases), RowName());

TEST_F(SearchTest, LineLongerThanAnyReadIsTakenWhole) {
  const std::string text = std::string(3 * 1024 * 1024, 'y') + "needle";
  WriteList("Long", "0,2026,1,1,short\r\n0,2026,1,2," + text + "\r\n0,2026,1,3,needle\r\n");
  const Lines results = Search("needle");
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0], "[Long] (未) 期限：2026/1/2 " + text);
  EXPECT_EQ(results[1], "[Long] (未) 期限：2026/1/3 needle");
}

TEST_F(SearchTest, EveryMatchingLineIsFoundAcrossReadBoundaries) {
  std::string file = "NO_DATE\r\n";
  Lines expected;
  for (int i = 0; i < 40000; ++i) {
    const std::string text = (i % 7 == 0 ? "hit " : "miss ") + std::to_string(i);
    file += "0,2026,1," + std::to_string(i % 28 + 1) + "," + text + "\r\n";
    if (i % 7 == 0) {
      expected.push_back("[Big] (未) 期限：2026/1/" + std::to_string(i % 28 + 1) + " " + text);
    }
  }
  WriteList("Big", file);
  EXPECT_EQ(Search("hit"), expected);
}

const std::vector<std::string> kAThenB = {"a.lst", "b.lst"};

TEST_F(SearchTest, FileArrivingInSmallPiecesGivesTheSameResults) {
  const FolderFiles files = {
      {"a.lst", "NO_DATE\r\n0,2026,1,1,hit one\r\nmiss\r\n\r\n1,2026,1,2,hit two\r\nhit"},
      {"b.lst", "hit three\r\n"}};
  for (const auto& file : files) Write(m_folder.File(file.first), file.second);
  const Lines whole = Search("hit");
  ASSERT_EQ(whole.size(), 4u);
  for (std::size_t piece : {1, 2, 3, 7, 64}) {
    MemoryFiles memory(files, piece);
    RecordingSink sink;
    EXPECT_EQ(SearchEntries(memory, "/", kAThenB, "hit", sink), whole) << "pieces of " << piece;
  }
}

// On Windows an open list file cannot be replaced, so a save during a long search (whose
// results may each take a window message) would fail if the search held the file open. A
// read failing midway ends only the file it reads.
TEST_F(SearchTest, NoListFileIsOpenWhileResultsAreSentAndAFailedReadEndsOnlyItsFile) {
  FolderFiles files = {{"a.lst", "0,2026,1,1,hit one\r\n0,2026,1,2,hit two\r\n"}, {"b.lst", ""}};
  // Larger than the first buffer, so that it grows while the file is read.
  for (int i = 0; i < 40000; ++i) {
    files[1].second += "0,2026,1," + std::to_string(i % 28 + 1) +
                       (i % 9 == 0 ? ",hit " : ",miss ") + std::to_string(i) + "\r\n";
  }
  for (const auto& file : files) Write(m_folder.File(file.first), file.second);
  const struct {
    const char* name;
    std::size_t piece;
    int failingRead;
  } cases[] = {
      {"whole reads", std::size_t(1) << 30, 0},
      {"small pieces", 4096, 0},
      {"a read failing midway", 20, 2},  // the first read holds exactly the first line
  };
  for (const std::string text : {"hit", ""}) {  // the fast scan and the test of every line
    RecordingSink whole;
    const Lines expected = SearchEntries(*m_files, FolderPath(), kAThenB, text, whole);
    ASSERT_GT(expected.size(), 4000u);
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.name) + ", text \"" + text + "\"");
      MemoryFiles memory(files, c.piece, c.failingRead);
      RecordingSink sink;
      int sentWhileOpen = 0;
      sink.onResult = [&](RecordingSink&) { sentWhileOpen += memory.OpenReaders() == 0 ? 0 : 1; };
      Lines want = expected;
      if (c.failingRead != 0) want.erase(want.begin() + 1);  // "hit two" was never read
      EXPECT_EQ(SearchEntries(memory, "/", kAThenB, text, sink), want);
      EXPECT_EQ(sentWhileOpen, 0);
      EXPECT_EQ(memory.OpenReaders(), 0);
    }
  }
}

// A stop set while a result is handled: no line of that file nor any file after it is read,
// also when that result came from the file's last line.
TEST_F(SearchTest, StopSetDuringAResultEndsTheSearchBeforeTheNextLineOrFile) {
  WriteList("a", "0,2026,1,1,x\r\n0,2026,1,2,x\r\n");
  WriteList("b", "0,2026,1,3,x\r\n");
  const struct {
    const char* text;  // "x" takes the fast scan, the others the test of every line
    std::vector<std::string> entries;
    const char* result;
  } cases[] = {
      {"x", kAThenB, "[a] (未) 期限：2026/1/1 x"},
      {"", kAThenB, "[a] (未) 期限：2026/1/1 x"},
      {"0\t2026", kAThenB, "[a] (未) 期限：2026/1/1 x"},
      {"x", {"b.lst", "a.lst"}, "[b] (未) 期限：2026/1/3 x"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " from " + c.entries[0]);
    RecordingSink sink;
    sink.onResult = [](RecordingSink& s) { s.stop = true; };
    EXPECT_EQ(SearchEntries(*m_files, FolderPath(), c.entries, c.text, sink), Lines{c.result});
  }
}

TEST_F(SearchTest, StopSetBeforehandReadsNothing) {
  WriteList("a", "0,2026,1,1,x\r\n");
  m_sink.stop = true;
  EXPECT_EQ(Search(""), Lines{});
  EXPECT_EQ(m_sink.stopChecks, 1);
}

// The host may ask for a search mode the tool does not have: the answer is one line saying
// so, for every such mode, and the full-text search is never refused.
TEST(SearchModes, EveryModeButTheFullTextSearchIsAnsweredWithOneLine) {
  for (const int mode : {1, 2, 7, 65535, -1}) {
    RecordingSink sink;
    EXPECT_TRUE(storage::RefuseUnsupportedSearchMode(mode, sink)) << mode;
    EXPECT_EQ(sink.results, Lines{todo_test::tool::kUnsupportedSearchMode}) << mode;
  }
  RecordingSink sink;
  EXPECT_FALSE(storage::RefuseUnsupportedSearchMode(storage::kFullTextSearchMode, sink));
  EXPECT_TRUE(sink.results.empty());
}

}  // namespace
