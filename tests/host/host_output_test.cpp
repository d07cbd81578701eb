// The console search's output written in blocks: what a script reads must be exactly what
// converting every line on its own gives, whatever the block size and the lines.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/console_output.h"

namespace {

std::string g_written;
int g_writes = 0;

bool Capture(const std::string& bytes) {
  g_written += bytes;
  ++g_writes;
  return true;
}

bool Refuse(const std::string&) {
  return false;
}

// What the lines give when each is converted on its own.
std::string EachLineAlone(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& line : lines) all += Cp932ToUtf8(line) + "\n";
  return all;
}

std::string Written(const std::vector<std::string>& lines, bool raw, std::size_t blockSize) {
  g_written.clear();
  g_writes = 0;
  {
    ConsoleLineWriter writer(raw, &Capture, blockSize);
    for (const std::string& line : lines) writer.AddLine(line.data(), line.size());
  }  // the rest is written when the writer goes
  return g_written;
}

const std::vector<std::string> kResultLines = {
    "[仕事] (未) 期限：2026/12/7 会議の資料",
    "[Home] (済) 期限：2027/1/2 Pay rent",
    "",
    "[ﾒﾓ] (未) 期限：2026/12/8 ｶﾀｶﾅと漢字、記号（全角）",
    "[ソフト] (未) 期限：2026/2/28 表示と能力",  // second bytes in the lead-byte range
};

TEST(ConsoleLineWriter, BlocksCutAtAnyPlaceNeverSplitACharacterNorLoseALine) {
  std::vector<std::string> lines;
  for (int i = 0; i < 300; ++i) lines.push_back(kResultLines[i % kResultLines.size()]);
  const std::string expected = EachLineAlone(lines);
  for (std::size_t blockSize : {1u, 7u, 64u, 1000u, 64u * 1024u}) {
    EXPECT_EQ(expected, Written(lines, false, blockSize)) << "block size " << blockSize;
  }
  Written(lines, false, 1000);
  EXPECT_GT(g_writes, 5) << "a long output goes out in several blocks";
}

TEST(ConsoleLineWriter, LineEndingInALoneLeadByteDoesNotSwallowTheLineFeedAfterIt) {
  // 0x82 starts a double-byte character; here nothing follows it in its line.
  const std::vector<std::string> lines = {"[a] (未) 期限：2026/1/1 cut\x82", "next line", "\x81",
                                          "表\x82", "last"};
  const std::string written = Written(lines, false, 64 * 1024);
  EXPECT_EQ(EachLineAlone(lines), written);
  EXPECT_NE(std::string::npos, written.find("\nnext line\n"));
}

TEST(ConsoleLineWriter, RawOutputIsTheBytesGivenEachWithALineFeed) {
  const std::vector<std::string> lines = {"会議", "cut\x82", "", "Report"};
  EXPECT_EQ("会議\ncut\x82\n\nReport\n", Written(lines, true, 3));
}

TEST(ConsoleLineWriter, FailedWriteIsReportedByTheNextFlush) {
  ConsoleLineWriter writer(false, &Refuse, 4);
  writer.AddLine("long enough to be written", 25);
  writer.AddLine("x", 1);
  EXPECT_FALSE(writer.Flush());
  EXPECT_TRUE(writer.Flush());  // nothing pending: nothing failed since
}

}  // namespace
