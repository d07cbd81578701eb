// The lines a save keeps: found through the aligned runs at a long list's start and end, they
// are the ones a table of all the lines gives, for few changes and for many, with equal
// records stored in different bytes all through the list, and with the records known to be
// the same at either end told or not.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "storage/list_file_as_read.h"
#include "storage/list_file_format.h"
#include "storage/stored_lines.h"
#include "support/storage_random_edits.h"

namespace {

using storage::LineMatching;

TEST(StoredLines, AlignedRunsKeepTheLinesATableKeeps) {
  std::mt19937 random(2612);
  // Equal records in other bytes, lines that take their fields from the line before, and the
  // marker's text, so that a line taken from the wrong place would show.
  const std::vector<std::string> lines = {
      "0,2026,1,2,a", "00,2026,1,2,a", "1,2026,1,2,a", "a", "b", "0,2026,1,2,b", "NO_DATE", ""};
  for (int round = 0; round < 300; ++round) {
    std::string bytes = round % 4 == 0 ? "NO_DATE\r\n" : "";
    for (int count = 100 + static_cast<int>(random() % 200); count > 0; --count) {
      bytes += lines[random() % lines.size()] + "\r\n";
    }
    const storage::ListFileAsRead file(bytes);
    storage::ListFileContent edited = file.ToContent();
    // A few changes, for the aligned runs, or many, past what they take on.
    const int edits = round % 3 == 0 ? 100 : 1 + static_cast<int>(random() % 4);
    EditAtRandom(&edited, edits, random);
    storage::ListToWrite list = storage::ViewOf(edited);
    const std::vector<std::uint32_t> byTable =
        storage::ChooseStoredLines(list, file, LineMatching::kTableOnly);
    ASSERT_EQ(storage::ChooseStoredLines(list, file, LineMatching::kAlignedFirst), byTable)
        << "round " << round;
    // Records told as known to be the same, as an item box tells the rows it left alone (up to
    // as many as are), change nothing of the answer, nor of whether the file holds the list.
    const bool holds = file.Holds(list);
    const auto sameAt = [&](std::size_t index, std::size_t line) {
      return file.Holds(line, list.records[index], list.records[index].text);
    };
    const std::size_t shorter = std::min(list.records.size(), file.Count());
    while (list.sameHead < shorter && sameAt(list.sameHead, list.sameHead)) ++list.sameHead;
    while (list.sameTail < shorter &&
           sameAt(list.records.size() - 1 - list.sameTail, file.Count() - 1 - list.sameTail)) {
      ++list.sameTail;
    }
    list.sameHead -= random() % (list.sameHead / 2 + 1);
    list.sameTail -= random() % (list.sameTail / 2 + 1);
    EXPECT_EQ(storage::ChooseStoredLines(list, file, LineMatching::kAlignedFirst), byTable)
        << "round " << round << ", told the same: " << list.sameHead << " and " << list.sameTail;
    EXPECT_EQ(file.Holds(list), holds) << "round " << round;
  }
}

}  // namespace
