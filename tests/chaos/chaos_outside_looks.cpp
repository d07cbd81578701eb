// What the window must show and hold after another program wrote the shown list's file or the
// list-order file and the window looked (the host's SaveState, or a wait past its timer): a
// file the window did not change shows as it is and is not written; one changed on both sides
// is merged, written and shown, holding every record anyone wrote, the window's records in the
// window's order, both versions of a record both sides changed differently, of which the user
// is told once; the selection stays where it can.

#include "chaos/chaos_walk.h"

#include <algorithm>

#include "support/tool_facts.h"

namespace chaos {

using namespace todo_test::tool;

namespace {

// Lines as readable text for failure messages.
std::string Listed(const std::vector<std::string>& lines) {
  std::string listed;
  for (const std::string& line : lines) listed += "  " + Shown(line) + "\n";
  return listed;
}

}  // namespace

// The window looks at what changed: the host's SaveState does at once, the tool's own timer
// within a second.
void HostChaos::LookAfterOutsideWrite() {
  if (Pick(5) == 0) {
    Note("the user waits for 1.5 s");
    chaos::WaitFor([] { return false; }, 1500);
    return;
  }
  Note("host SaveState");
  EXPECT_EQ(m_model.ShowsStoredList() ? 1 : 0, m_host->tool()->SaveState())
      << "1 exactly when the shown list's file holds its items";
}

void HostChaos::ShownListLooked(const StoredList& base, const StoredList& written) {
  const std::string key = Folded(m_model.rows[m_model.selected]);
  const int selected = m_model.itemSelected;
  const bool unchangedHere =
      base.noDate == m_model.shownNoDate && SameRecords(base.items, m_model.shown);
  if (unchangedHere) {
    // Changed outside only: the window shows the file as it is now and writes nothing; the
    // selected record stays selected where it is, else the same row.
    Note("  the window changed nothing: it shows the file");
    int select = -1;
    for (std::size_t row = 0; selected >= 0 && row < written.items.size() && select < 0; ++row) {
      if (SameRecord(written.items[row], m_model.shown[selected])) select = static_cast<int>(row);
    }
    if (select < 0 && selected < static_cast<int>(written.items.size())) select = selected;
    m_model.ShowFile(written, select);
    CheckBoxes();
    return;
  }
  // Changed on both sides: the merge is written and shown.
  const ExpectedMerge expected = ExpectMerge(base.items, m_model.shown, written.items);
  Note("  the window changed the list too: merged, with " + std::to_string(expected.conflicts) +
       " conflicts");
  StoredList merged{base.name, false, {}};
  const std::string bytes = FileNow(key + ".LST");
  ASSERT_TRUE(ReadFileBytes(bytes, &merged) && !merged.lfOnly)
      << "the merge is written as the tool writes: \"" << Shown(bytes) << "\"";
  const std::vector<std::string> expectedLines = RecordLines(expected.records);
  const std::vector<std::string> mergedLines = RecordLines(merged.items);
  EXPECT_TRUE(expectedLines == mergedLines)
      << "the merge holds every record anyone wrote, and nothing more:\n"
      << Listed(expectedLines) << "but it holds\n"
      << Listed(mergedLines);
  EXPECT_TRUE(InOrderWithin(expected.mineInOrder, merged.items))
      << "the window's records keep the window's order";
  // Each record takes the id of the item it is; a second version of one gets one of its own.
  std::vector<int> used;
  for (Item& item : merged.items) {
    for (const Item& record : expected.records) {
      if (SameRecord(record, item) &&
          std::find(used.begin(), used.end(), record.id) == used.end()) {
        item.id = record.id;
        break;
      }
    }
    if (item.id == 0 || std::count(used.begin(), used.end(), item.id) != 0)
      item.id = ++m_model.lastId;
    used.push_back(item.id);
  }
  // Where the selection goes the merge tells: the window is asked.
  std::vector<std::string> rows;
  ASSERT_TRUE(chaos::ReadRows(m_itemBox, &rows));
  const auto selectedRow = std::find_if(rows.begin(), rows.end(), [](const std::string& row) {
    return row.size() >= 11 && row.compare(row.size() - 11, 11, " [selected]") == 0;
  });
  const int select = selectedRow != rows.end() ? static_cast<int>(selectedRow - rows.begin()) : -1;
  const Item* fate =
      selected >= 0 ? expected.fateOfMine[static_cast<std::size_t>(selected)] : nullptr;
  if (fate == nullptr) {
    // Removed outside: nothing is selected, or what the other program added in its place, as
    // the merge may take the two for one record changed.
    const bool addedInstead =
        select >= 0 && select < static_cast<int>(merged.items.size()) &&
        std::any_of(written.items.begin(), written.items.end(), [&](const Item& item) {
          return WithId(base.items, item.id) == nullptr && SameRecord(item, merged.items[select]);
        });
    EXPECT_TRUE(select == -1 || addedInstead)
        << "no item is selected after the merge; row " << select << " is";
  } else {
    EXPECT_TRUE(select >= 0 && select < static_cast<int>(merged.items.size()) &&
                SameRecord(merged.items[static_cast<std::size_t>(select)], *fate))
        << "the selected item stays selected after the merge; row " << select << " is";
  }
  m_model.ShowFile(merged, select);
  CheckBoxes();

  // The conflicts are told in one message, a moment after the merge.
  if (expected.conflicts == 0) return;
  EXPECT_TRUE(chaos::WaitFor(
      [&] { return !chaos::ModalWindowsOf(m_toolThread).messageBoxes.empty(); }, 3000))
      << "the conflicts are told";
  Expect(kConflict);
}

void HostChaos::NamesLooked(const std::string& base, const std::string& written) {
  const std::vector<std::string> mine = m_model.rows;
  const std::vector<std::string> expected = m_model.MergedNames(NamesOf(base), NamesOf(written));
  const std::string bytes = FileNow("LISTINFO.DAT");
  ASSERT_NE("<missing>", bytes) << "the list-order file is there";
  const std::vector<std::string> names = NamesOf(bytes);
  std::vector<std::string> sorted = names;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_TRUE(expected == sorted) << "the list names after the merge:\n"
                                  << Listed(expected) << "but they are\n"
                                  << Listed(sorted);
  std::vector<std::string> mineKept;
  for (const std::string& name : mine) {
    if (std::find(names.begin(), names.end(), name) != names.end()) mineKept.push_back(name);
  }
  std::vector<std::string> inMerge;
  for (const std::string& name : names) {
    if (std::find(mine.begin(), mine.end(), name) != mine.end()) inMerge.push_back(name);
  }
  EXPECT_EQ(mineKept, inMerge) << "the window's lists keep the window's order";
  // Written only when the merge is not what the other program wrote.
  EXPECT_EQ(names == NamesOf(written) ? written : OrderBytes(names), bytes)
      << "the list-order file as written";
  const std::string selected = m_model.selected >= 0 ? mine[m_model.selected] : std::string();
  m_model.order = bytes;
  m_model.rows = names;
  const auto row = std::find(names.begin(), names.end(), selected);
  m_model.selected = row != names.end() ? static_cast<int>(row - names.begin()) : -1;
  if (m_model.selected < 0) {
    // The shown list went with its name: the window shows none.
    m_model.shown.clear();
    m_model.itemSelected = -1;
  }
  CheckBoxes();
}

}  // namespace chaos
