// Merging a list changed in the window and outside: what either side did is kept, both
// versions of a record changed differently on both sides, nothing twice; the same for the
// list names, where a name removed outside stays while its file does.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/storage_records.h"
#include "storage/list_file_as_read.h"
#include "storage/conflict_copies.h"
#include "storage/list_merge.h"

namespace {

using storage::ListRecord;

storage::ListFileAsRead File(const std::vector<ListRecord>& records) {
  storage::ListFileContent content;
  content.records = records;
  return storage::ListFileAsRead(storage::FormatListFile(content));
}

struct MergeCase {
  const char* name;
  const char* base;
  const char* mine;
  const char* theirs;
  const char* merged;
  std::size_t conflicts;
};

class ListMergeTest : public testing::TestWithParam<MergeCase> {};

TEST_P(ListMergeTest, KeepsWhatEachSideDid) {
  const MergeCase& c = GetParam();
  const std::vector<ListRecord> mine = Records(c.mine);
  const storage::ListMerge merged =
      storage::MergeListFiles(File(Records(c.base)), mine, File(Records(c.theirs)));
  EXPECT_EQ(Shorthand(merged.content.records), c.merged);
  EXPECT_EQ(merged.conflicts, c.conflicts);
  // Each record of mine that is still there is found where the merge put it.
  ASSERT_EQ(merged.rowOfMine.size(), mine.size());
  for (std::size_t i = 0; i < mine.size(); ++i) {
    const int row = merged.rowOfMine[i];
    if (row >= 0) {
      EXPECT_EQ(merged.content.records[row].text, mine[i].text) << i;
    }
  }
}

const MergeCase kMergeCases[] = {
    {"OnlyMineChanged", "a b c", "a c d", "a b c", "a c d", 0},
    {"OnlyTheirsChanged", "a b c", "a b c", "x a b! c", "x a b! c", 0},
    {"DeletedInWindowAddedOutside", "a b c", "b c", "a b c d", "b c d", 0},
    {"SameTickOnBothSidesIsOneChange", "a b", "a! b", "a! b", "a! b", 0},
    {"SameAdditionOnBothSidesIsOne", "a b", "n a b", "n a b", "n a b", 0},
    {"SameDeletionOnBothSides", "a b c", "a c", "a c", "a c", 0},
    {"SameMoveOnBothSidesAppearsOnce", "a b c", "c a b", "c a b", "c a b", 0},
    {"DifferentMovesOfOneRecordKeepMinePlace", "a b c d e f", "f a b c d e", "a f b c d e",
     "f a b c d e", 0},
    {"SameChangeSeenAsMoveOnOneSide", "a b c d", "b! a c d", "a b! c d", "b! a c d", 0},
    {"MovedOutsideOnlyGoesWhereTheyPutIt", "a b c d", "a b! c d", "c a b d", "c a b! d", 0},
    {"RemovedOutsideChangedInWindowIsKeptAsChanged", "a b c", "a b! c", "a c", "a b! c", 0},
    {"RemovedInWindowChangedOutsideIsKeptAsChanged", "a b c", "a c", "a b@9 c", "a b@9 c", 0},
    {"ChangedDifferentlyKeepsBothMineFirst", "a b c", "a b! c", "a b@9 c", "a b! b@9 c", 1},
    {"TextEditedDifferentlyKeepsBoth", "a b c", "a B c", "a bb c", "a B bb c", 1},
    {"AddedAtTopOnBothSides", "a b", "m a b", "t a b", "t m a b", 0},
    {"AdditionsFollowTheirNeighbours", "a b c", "a b c m", "a t b c", "a t b c m", 0},
    {"OneOfTwoEqualRecordsRemoved", "a a b", "a b", "a a b c", "a b c", 0},
    {"EverythingRemovedOutsideButMineAdditions", "a b", "a b n", "", "n", 0},
    {"NothingChangedAnywhere", "a b", "a b", "a b", "a b", 0},
};

INSTANTIATE_TEST_SUITE_P(Cases, ListMergeTest, testing::ValuesIn(kMergeCases), RowName());

TEST(ListMerge, KindComesFromTheFileOnDisk) {
  const storage::ListFileAsRead noDate("NO_DATE\r\n0,2026,12,1,a\r\n");
  const storage::ListMerge merged =
      storage::MergeListFiles(File(Records("a")), Records("a b"), noDate);
  EXPECT_TRUE(merged.content.noDate);
  EXPECT_EQ(Shorthand(merged.content.records), "a b");
}

// Random edits of both sides of lists of records that each have a text of their own: "r7" in
// the base, "r7~m3" once mine edited its text, "n5m" added by mine. The merge must keep every
// addition, every change, and drop what one side removed and the other left alone.
struct Edited {
  std::vector<ListRecord> records;
  std::set<std::string> removed;              // base texts
  std::map<std::string, ListRecord> changed;  // base text -> its new version
};

std::string IdOf(const std::string& text) {
  return text.substr(0, text.find('~'));
}

Edited RandomEdit(const std::vector<ListRecord>& base, std::mt19937& random, char side) {
  Edited edited;
  int versions = 0;
  for (const ListRecord& record : base) {
    switch (random() % 6) {
      case 0:
        edited.removed.insert(record.text);
        continue;
      case 1: {
        ListRecord changed = record;
        if (random() % 2 == 0) {
          changed.done = 1 - changed.done;
        } else {
          changed.text += std::string("~") + side + std::to_string(versions++);
        }
        edited.changed[record.text] = changed;
        edited.records.push_back(changed);
        continue;
      }
      default:
        edited.records.push_back(record);
    }
  }
  for (int moves = random() % 3; moves > 0 && !edited.records.empty(); --moves) {
    const std::size_t from = random() % edited.records.size();
    const ListRecord moved = edited.records[from];
    edited.records.erase(edited.records.begin() + static_cast<long>(from));
    edited.records.insert(
        edited.records.begin() + static_cast<long>(random() % (edited.records.size() + 1)), moved);
  }
  for (int adds = random() % 3; adds > 0; --adds) {
    const std::string text = "n" + std::to_string(adds) + side;
    edited.records.insert(
        edited.records.begin() + static_cast<long>(random() % (edited.records.size() + 1)),
        Rec(0, 2026, 12, 1, text));
  }
  return edited;
}

TEST(ListMerge, RandomEditPairsLoseNothingAndDuplicateNothing) {
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    std::mt19937 random(seed);
    std::vector<ListRecord> base;
    for (int i = 0, count = static_cast<int>(random() % 12); i < count; ++i) {
      base.push_back(Rec(static_cast<int>(random() % 2), 2026, 12, 1, "r" + std::to_string(i)));
    }
    const Edited mine = RandomEdit(base, random, 'm');
    const Edited theirs = RandomEdit(base, random, 't');
    const storage::ListMerge merged =
        storage::MergeListFiles(File(base), mine.records, File(theirs.records));
    const std::vector<ListRecord>& result = merged.content.records;
    const auto count = [&result](const ListRecord& record) {
      return std::count(result.begin(), result.end(), record);
    };
    const auto countId = [&result](const std::string& id) {
      return std::count_if(result.begin(), result.end(),
                           [&id](const ListRecord& r) { return IdOf(r.text) == id; });
    };
    SCOPED_TRACE("seed " + std::to_string(seed) + ": base " + Shorthand(base) + " / mine " +
                 Shorthand(mine.records) + " / theirs " + Shorthand(theirs.records) + " -> " +
                 Shorthand(result));
    for (const Edited* side : {&mine, &theirs}) {
      for (const ListRecord& record : side->records) {
        if (record.text[0] == 'n') {
          EXPECT_EQ(count(record), 1) << record.text;
        }
      }
      for (const auto& change : side->changed) EXPECT_EQ(count(change.second), 1) << change.first;
    }
    for (const ListRecord& record : base) {
      const bool changedByMine = mine.changed.count(record.text) != 0;
      const bool changedByTheirs = theirs.changed.count(record.text) != 0;
      const bool removed =
          mine.removed.count(record.text) != 0 || theirs.removed.count(record.text) != 0;
      const long expected =
          changedByMine && changedByTheirs
              ? (mine.changed.at(record.text) == theirs.changed.at(record.text) ? 1 : 2)
          : changedByMine || changedByTheirs ? 1
          : removed                          ? 0
                                             : 1;
      EXPECT_EQ(countId(record.text), expected) << record.text;
    }
  }
}

TEST(ListMerge, LongListRewrittenOutsideIsMergedWithoutLossInReasonableTime) {
  std::vector<ListRecord> base;
  for (int i = 0; i < 30000; ++i) base.push_back(Rec(0, 2026, 12, 1, "r" + std::to_string(i)));
  std::vector<ListRecord> theirs(base.rbegin(), base.rend());
  std::vector<ListRecord> mine = base;
  mine[15000].done = 1;
  const storage::ListMerge merged = storage::MergeListFiles(File(base), mine, File(theirs));
  ASSERT_EQ(merged.content.records.size(), base.size());
  EXPECT_EQ(std::count(merged.content.records.begin(), merged.content.records.end(), mine[15000]),
            1);
}

// The lists' names, each side's as words; the files there name their lists.
struct NamesCase {
  const char* name;
  const char* base;
  const char* mine;
  const char* theirs;
  const char* filesThere;
  const char* merged;
};

class ListNamesMergeTest : public testing::TestWithParam<NamesCase> {};

TEST_P(ListNamesMergeTest, KeepsEveryListWithAFile) {
  const NamesCase& c = GetParam();
  const std::vector<std::string> filesThere = WordsOf(c.filesThere);
  const auto gone = [&filesThere](const std::string& name) {
    return std::count(filesThere.begin(), filesThere.end(), name) == 0;
  };
  EXPECT_EQ(storage::MergeListNames(WordsOf(c.base), WordsOf(c.mine), WordsOf(c.theirs), gone),
            WordsOf(c.merged));
}

const NamesCase kNamesCases[] = {
    {"AddedOnBothSidesInTheirPlaces", "A B", "A B M", "T A B", "A B M T", "T A B M"},
    {"RemovedOutsideWithItsFileGoes", "A B", "A B", "A", "A", "A"},
    {"RemovedOutsideWithFileLeftStays", "A B", "A B", "A", "A B", "A B"},
    {"RemovedInWindowStaysRemoved", "A B", "A", "A B C", "A B C", "A C"},
    {"RenamedOutsideByLetterCaseIsOneList", "Work", "Work", "work", "Work work", "work"},
    {"MovedOutside", "A B C", "A B C M", "C A B", "A B C M", "C A B M"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ListNamesMergeTest, testing::ValuesIn(kNamesCases), RowName());

// Only a synchronising program's conflicted copy of a list's file is taken for one, with the
// list's name as it stands before the program's note.
TEST(ConflictCopies, AreToldByTheirNamesAndNameTheirList) {
  const struct {
    const char* file;
    const char* list;  // null: not a conflicted copy
  } cases[] = {
      {"Home (Taro's conflicted copy 2026-12-09).lst", "Home"},
      {"Home (Conflicted Copy).lst", "Home"},
      {"Work (1) (conflicted copy 2).lst", "Work (1)"},
      {"Home.sync-conflict-20261209-101500-ABCDEF.lst", "Home"},
      {"a.b.sync-conflict-1.lst", "a.b"},
      {"Home (1).lst", nullptr},
      {"Home (conflicted copy).lst.merged", nullptr},
      {"Home.lst", nullptr},
      {" (conflicted copy).lst", nullptr},
      {".sync-conflict-1.lst", nullptr},
  };
  for (const auto& c : cases) {
    std::string list;
    EXPECT_EQ(storage::IsConflictCopy(c.file, &list), c.list != nullptr) << c.file;
    if (c.list != nullptr) {
      EXPECT_EQ(list, c.list) << c.file;
    }
  }
}

}  // namespace
