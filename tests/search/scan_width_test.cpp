// The search's block scan at every width the machine has, forced one after the other, against
// the byte-by-byte scan on the same blocks: the same lines, the same word found first in each,
// the same line ends and the same word of zero bytes and tabs, whatever the blocks hold
// (double-byte characters, lines longer than a mask's window, lines and words across the
// windows' ends, words at the block's very start and end, zero bytes and tabs) and whatever
// the words (one, two, many, longer than the scan's head, holding a line feed).

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "storage/search/scan_width.h"
#include "storage/search/search_scan.h"

namespace {

using storage::ScanWidth;
using storage::WordScanner;

// What a scanner gives for a block, one line after the other, as offsets into the block.
std::string LinesFound(const std::vector<std::string>& words, ScanWidth width,
                       const std::string& block) {
  // The block followed by the bytes the scanner may read past it, zero as in the search.
  std::vector<char> bytes(block.begin(), block.end());
  bytes.resize(block.size() + WordScanner::kReadsPastEnd, '\0');
  WordScanner scanner(words, width);
  scanner.Reset(bytes.data(), bytes.data() + block.size());
  std::string found;
  WordScanner::Line line;
  while (scanner.NextLine(&line)) {
    found += std::to_string(line.begin - bytes.data()) + "-" +
             std::to_string(line.end.at - bytes.data()) + (line.end.plain ? "p" : "") + "@" +
             std::to_string(line.word - bytes.data()) + "+" + std::to_string(line.wordLength) + " ";
  }
  return found;
}

TEST(ScanWidth, EveryWidthFindsTheLinesOfThePlainScan) {
  const std::vector<std::vector<std::string>> wordSets = {
      {"\x89\xEF\x8B\x63"},                                    // one double-byte word
      {"\x89\xEF\x8B\x63", "Report"},                          // two words
      {"a", "\x8B\x63", "ab", "Report", "x\ny"},               // many, one across a line end
      {"a long word of more than sixteen bytes", "\x89\xEF"},  // longer than the head
  };
  // Pieces the blocks are made of: the words themselves, their parts, double-byte characters
  // whose second byte is a word's first, line ends, tabs, zero bytes and plain text.
  const std::vector<std::string> pieces = {"\x89\xEF\x8B\x63",
                                           "\x8B\x63",
                                           "\x89",
                                           "\x81\x89\xEF\x8B",
                                           "Report",
                                           "Repor",
                                           "a",
                                           "ab",
                                           "x\ny",
                                           "\r\n",
                                           "\n",
                                           "\t",
                                           std::string(1, '\0'),
                                           "0,2026,12,8,",
                                           "plain text",
                                           "a long word of more than sixteen bytes",
                                           "  "};
  std::mt19937 random(26);
  for (const ScanWidth width : {ScanWidth::kSse2, ScanWidth::kAvx2}) {
    if (!storage::CanScanAt(width)) continue;  // what this processor lacks, it never runs
    for (int round = 0; round < 3000; ++round) {
      const std::vector<std::string>& words = wordSets[round % wordSets.size()];
      std::string block;
      // A word at the very start and one at the very end now and then; lengths around the
      // windows of 64 bytes, and past several of them.
      if (round % 5 == 0) block += words[0];
      const std::size_t length = static_cast<std::size_t>(random() % 400);
      while (block.size() < length) block += pieces[random() % pieces.size()];
      // Lines longer than a window: no line end for a while.
      if (round % 7 == 0) block.insert(random() % (block.size() + 1), std::string(150, 'q'));
      if (round % 5 == 1) block += words.back();
      ASSERT_EQ(LinesFound(words, width, block), LinesFound(words, ScanWidth::kPlain, block))
          << storage::ScanWidthName(width) << ", round " << round;
    }
  }
}

}  // namespace
