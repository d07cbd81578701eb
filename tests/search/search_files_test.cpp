// The search over a folder of list files: which entries count, what list names results carry,
// how lines are read (line ends, the marker, lines of any length, files that arrive in small
// pieces or fail midway), how a stop ends it, and the answer to modes the tool lacks.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "search/search_fixture.h"

namespace {

using Lines = std::vector<std::string>;

TEST_F(SearchTest, OnlyEntriesEndingInLowerCaseLstAreSearched) {
  WriteList("Home", "0,2026,1,1,x\r\n");
  WriteList("v1.2", "0,2026,1,2,x\r\n");
  Write(m_folder.File("Shout.LST"), "0,2026,1,3,x\r\n");
  Write(m_folder.File("ListInfo.dat"), "0,2026,1,4,x\r\n");
  Write(m_folder.File("notes.txt"), "0,2026,1,5,x\r\n");
  EXPECT_EQ(Search("x"), (Lines{"[Home] (未) 期限：2026/1/1 x", "[v1.2] (未) 期限：2026/1/2 x"}));
}

TEST_F(SearchTest, EntriesAreJudgedWithoutLeadingWhiteSpace) {
#if defined(_WIN32)
  GTEST_SKIP() << "Windows file names cannot hold an asterisk";
#endif
  WriteList("Home", "0,2026,1,1,x\r\n");
  WriteList("*star", "0,2026,1,2,x\r\n");
  const std::vector<std::string> entries = {"*star.lst", " \t*star.lst", ".ls", "", " "};
  EXPECT_EQ(Search("x", &entries), Lines{});
}

TEST_F(SearchTest, EntryWithLeadingWhiteSpaceNeverOpensAnotherList) {
  WriteList("Home", "0,2026,1,1,home\r\n");
  WriteList(" Home", "0,2026,1,2,spaced\r\n");
  const std::vector<std::string> entries = {" Home.lst", "\tHome.lst", "Home.lst"};
  EXPECT_EQ(Search("e", &entries),
            (Lines{"[ Home] (未) 期限：2026/1/2 spaced", "[Home] (未) 期限：2026/1/1 home"}));
}

TEST_F(SearchTest, MissingFileIsSkippedAndTheNextIsSearched) {
  WriteList("b", "0,2026,1,1,x\r\n");
  const std::vector<std::string> entries = {"a.lst", "b.lst"};
  EXPECT_EQ(Search("x", &entries), Lines{"[b] (未) 期限：2026/1/1 x"});
}

TEST_F(SearchTest, ResultsFollowEntryOrderThenLineOrder) {
  WriteList("a", "0,2026,1,1,x1\r\n0,2026,1,2,x2\r\n");
  WriteList("b", "0,2026,1,3,x3\r\n");
  const std::vector<std::string> entries = {"b.lst", "a.lst"};
  EXPECT_EQ(Search("x", &entries),
            (Lines{"[b] (未) 期限：2026/1/3 x3", "[a] (未) 期限：2026/1/1 x1",
                   "[a] (未) 期限：2026/1/2 x2"}));
}

TEST_F(SearchTest, NoDateMarkerGivesNothingButItsItemsAreFound) {
  WriteList("Free", "NO_DATE\r\n0,2026,3,4,x\r\nNO_DATE\r\n");
  EXPECT_EQ(Search(""), (Lines{"[Free] (未) 期限：2026/3/4 x", "[Free] (済) 期限：// NO_DATE"}));
}

TEST_F(SearchTest, MarkerCountsOnlyAsTheFirstLine) {
  const struct {
    std::string file;
    Lines results;
  } cases[] = {
      {"NO_DATE", {}},  // as the first line it is the marker, with or without a line end
      {"NO_DATE\n", {}},
      {"\r\nNO_DATE\r\n", {"[L] (済) 期限：// NO_DATE"}},
      {"NO_DATEx\r\n", {"[L] (済) 期限：// NO_DATEx"}},
  };
  for (const auto& c : cases) {
    todo_test::ScratchFolder other;
    const std::string path = other.File("L.lst");
    std::unique_ptr<storage::WritableFile> file =
        m_files->OpenForWriting(path, storage::CreateMode::kCreateNew);
    ASSERT_TRUE(file && file->Append(c.file) && file->Close());
    RecordingSink sink;
    const std::vector<std::string_view> entries = {"L.lst"};
    storage::SearchListFiles(*m_files, other.Path() + storage::kPathSeparator, entries, "NO_DATE",
                             sink);
    EXPECT_EQ(sink.results, c.results) << c.file;
  }
}

TEST_F(SearchTest, EmptyLinesGiveNothingEvenForTheEmptyText) {
  WriteList("L", "\r\n\n0,2026,1,1,a\r\n\r\n");
  EXPECT_EQ(Search(""), Lines{"[L] (未) 期限：2026/1/1 a"});
}

TEST_F(SearchTest, LineEndsAreCrLfOrLoneLf) {
  WriteList("L", "0,2026,1,1,a\r\n0,2026,1,2,b\n0,2026,1,3,c\rd\r\n0,2026,1,4,e\r");
  EXPECT_EQ(Search(""), (Lines{"[L] (未) 期限：2026/1/1 a", "[L] (未) 期限：2026/1/2 b",
                               "[L] (未) 期限：2026/1/3 c\rd", "[L] (未) 期限：2026/1/4 e\r"}));
}

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

// Files that hand out their bytes a few at a time, may fail at a chosen read (counted over
// all files opened), and count the files open for reading.
class TrickleFiles : public storage::Files {
 public:
  TrickleFiles(storage::Files& base, std::size_t piece, int failingRead)
      : m_base(base), m_piece(piece), m_failingRead(failingRead) {}

  int OpenReaders() const { return m_openReaders; }

  storage::OpenResult OpenForReading(const std::string& path,
                                     std::unique_ptr<storage::ReadableFile>* file) override {
    std::unique_ptr<storage::ReadableFile> inner;
    const storage::OpenResult result = m_base.OpenForReading(path, &inner);
    file->reset(inner ? new TrickleFile(std::move(inner), *this) : nullptr);
    return result;
  }
  std::unique_ptr<storage::WritableFile> OpenForWriting(const std::string& path,
                                                        storage::CreateMode mode) override {
    return m_base.OpenForWriting(path, mode);
  }
  bool CreateFolder(const std::string& path) override { return m_base.CreateFolder(path); }
  bool SetCurrentFolder(const std::string& path) override { return m_base.SetCurrentFolder(path); }
  bool Delete(const std::string& path) override { return m_base.Delete(path); }
  bool MoveReplacing(const std::string& from, const std::string& to,
                     storage::IfHeld ifHeld) override {
    return m_base.MoveReplacing(from, to, ifHeld);
  }
  std::unique_ptr<storage::HeldLock> Lock(const std::string& path,
                                          storage::IfHeld ifHeld) override {
    return m_base.Lock(path, ifHeld);
  }
  bool ListFolder(const std::string& folder, std::vector<std::string>* names) override {
    return m_base.ListFolder(folder, names);
  }

 private:
  class TrickleFile : public storage::ReadableFile {
   public:
    TrickleFile(std::unique_ptr<storage::ReadableFile> inner, TrickleFiles& files)
        : m_inner(std::move(inner)), m_files(files) {
      ++m_files.m_openReaders;
    }
    ~TrickleFile() override { --m_files.m_openReaders; }
    bool Read(char* buffer, std::size_t capacity, std::size_t* count) override {
      *count = 0;
      if (++m_files.m_reads == m_files.m_failingRead) return false;
      return m_inner->Read(buffer, std::min(capacity, m_files.m_piece), count);
    }

   private:
    std::unique_ptr<storage::ReadableFile> m_inner;
    TrickleFiles& m_files;
  };

  storage::Files& m_base;
  std::size_t m_piece;
  int m_failingRead;
  int m_reads = 0;
  int m_openReaders = 0;
};

TEST_F(SearchTest, FileArrivingInSmallPiecesGivesTheSameResults) {
  WriteList("a", "NO_DATE\r\n0,2026,1,1,hit one\r\nmiss\r\n\r\n1,2026,1,2,hit two\r\nhit");
  WriteList("b", "hit three\r\n");
  const Lines whole = Search("hit");
  ASSERT_EQ(whole.size(), 4u);
  for (std::size_t piece : {1, 2, 3, 7, 64}) {
    TrickleFiles trickle(*m_files, piece, 0);
    RecordingSink sink;
    const std::vector<std::string_view> entries = {"a.lst", "b.lst"};
    storage::SearchListFiles(trickle, FolderPath(), entries, "hit", sink);
    EXPECT_EQ(sink.results, whole) << "pieces of " << piece;
  }
}

TEST_F(SearchTest, ReadFailingMidwayEndsOnlyThatFile) {
  WriteList("a", "0,2026,1,1,hit one\r\n0,2026,1,2,hit two\r\n");
  WriteList("b", "0,2026,1,3,hit three\r\n");
  TrickleFiles trickle(*m_files, 20, 2);  // the first read holds exactly the first line
  RecordingSink sink;
  const std::vector<std::string_view> entries = {"a.lst", "b.lst"};
  storage::SearchListFiles(trickle, FolderPath(), entries, "hit", sink);
  EXPECT_EQ(sink.results,
            (Lines{"[a] (未) 期限：2026/1/1 hit one", "[b] (未) 期限：2026/1/3 hit three"}));
}

// On Windows an open list file cannot be replaced, so a save during a long search (whose
// results may each take a window message) would fail if the search held the file open.
TEST_F(SearchTest, NoListFileIsOpenWhileResultsAreSent) {
  WriteList("a", "0,2026,1,1,hit one\r\n0,2026,1,2,hit two\r\n");
  std::string big;  // larger than the first buffer, so that it grows while the file is read
  for (int i = 0; i < 40000; ++i) {
    big += "0,2026,1," + std::to_string(i % 28 + 1) + (i % 9 == 0 ? ",hit " : ",miss ") +
           std::to_string(i) + "\r\n";
  }
  WriteList("b", big);
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
    std::vector<std::string> expected = Search(text);
    m_sink.results.clear();
    ASSERT_GT(expected.size(), 4000u);
    for (const auto& c : cases) {
      TrickleFiles trickle(*m_files, c.piece, c.failingRead);
      RecordingSink sink;
      int sentWhileOpen = 0;
      sink.onResult = [&](RecordingSink&) { sentWhileOpen += trickle.OpenReaders() == 0 ? 0 : 1; };
      const std::vector<std::string_view> entries = {"a.lst", "b.lst"};
      storage::SearchListFiles(trickle, FolderPath(), entries, text, sink);
      EXPECT_EQ(sentWhileOpen, 0) << c.name << ", text \"" << text << "\"";
      std::vector<std::string> want = expected;
      if (c.failingRead != 0) want.erase(want.begin() + 1);  // "hit two" was never read
      EXPECT_EQ(sink.results, want) << c.name << ", text \"" << text << "\"";
      EXPECT_EQ(trickle.OpenReaders(), 0);
    }
  }
}

TEST_F(SearchTest, StopSetDuringAResultEndsTheSearchBeforeTheNextLineOrFile) {
  WriteList("a", "0,2026,1,1,x\r\n0,2026,1,2,x\r\n");
  WriteList("b", "0,2026,1,3,x\r\n");
  for (const std::string text : {"x", "", "0\t2026"}) {  // the fast scan and the full one
    RecordingSink sink;
    sink.onResult = [](RecordingSink& s) { s.stop = true; };
    const std::vector<std::string> names = Names();
    const std::vector<std::string_view> entries(names.begin(), names.end());
    storage::SearchListFiles(*m_files, FolderPath(), entries, text, sink);
    EXPECT_EQ(sink.results, Lines{"[a] (未) 期限：2026/1/1 x"}) << text;
  }
}

TEST_F(SearchTest, StopAfterTheLastLineOfAFileKeepsTheNextFileUnread) {
  WriteList("a", "0,2026,1,1,x\r\n");
  WriteList("b", "0,2026,1,3,x\r\n");
  m_sink.onResult = [](RecordingSink& s) { s.stop = true; };
  EXPECT_EQ(Search("x"), Lines{"[a] (未) 期限：2026/1/1 x"});
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
    EXPECT_EQ(sink.results, std::vector<std::string>{"非対応の検索モードです。"}) << mode;
  }
  RecordingSink sink;
  EXPECT_FALSE(storage::RefuseUnsupportedSearchMode(storage::kFullTextSearchMode, sink));
  EXPECT_TRUE(sink.results.empty());
}

}  // namespace
