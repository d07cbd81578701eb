// A host killed, as the chaos walk does it. The walk's own host runs in this process and cannot
// be killed without ending the walk, so another host does what is killed: Lumaplex.exe as a
// process of its own on the walk's data folder, opened while the walk's window is closed. The
// user there adds an item to a list, and sometimes a list; a second and a half passes;
// sometimes one more item is added; then the process is killed without any close. Every change
// made more than a second before is on disk, the one made just before is there whole or not at
// all, no file is torn and no lock left behind; then the walk's host opens the tool again on
// what the killed one left.

#include "chaos/chaos_walk.h"

#include "support/tool_facts.h"
#include "support/host_process.h"
#include "support/own_desktop.h"

namespace chaos {

using namespace todo_test::tool;

void HostChaos::KillAnotherHost() {
  std::vector<std::string> names = NamesOf(m_model.order);
  std::vector<int> storable;
  for (int row = 0; row < static_cast<int>(names.size()) && row < kMostLists; ++row) {
    const std::size_t items = m_model.FileOf(names[row]).items.size();
    if (todo_test::rules::NamesFile(names[row]) &&
        items + 2 < static_cast<std::size_t>(kMostItems)) {
      storable.push_back(row);
    }
  }
  if (storable.empty()) return;
  ++m_kills;
  Note("another host opens the tool on the data folder");
  todo_test::HostProcess other(m_data, todo_test::OwnDesktopName());
  ASSERT_TRUE(other.WaitForTool()) << "the other host's tool window opens";
  SYSTEMTIME today;
  GetLocalTime(&today);
  const Date picked{today.wYear, today.wMonth, today.wDay};
  // An item added to a list in the way the user of the walk's window adds one.
  auto addItem = [&](int row, const std::string& text, bool atBottom) {
    Note("  there: item mode, type \"" + text + "\", add" + (atBottom ? " at bottom" : ""));
    other.Press(kItemModeButton);
    other.Type(text.c_str());
    other.Press(atBottom ? kAddAtBottom : kAdd);
    StoredList list = m_model.FileOf(names[row]);
    const Item item{0, picked, text, ++m_model.lastId};
    list.items.insert(atBottom ? list.items.end() : list.items.begin(), item);
    list.lfOnly = false;
    return list;
  };

  int shown = PickOf(storable);
  Note("  there: click list row " + std::to_string(shown) + " \"" + names[shown] + "\"");
  other.SelectList(shown);
  StoredList changed = addItem(shown, "落ちる前" + std::to_string(++m_outsideTexts), Pick(2) == 0);
  m_model.files[Folded(names[shown])] = changed;
  if (Pick(2) == 0 && names.size() < static_cast<std::size_t>(kMostLists)) {
    const std::string name = "落ちる前リスト" + std::to_string(++m_freshNames);
    const bool atBottom = Pick(2) == 0;
    Note("  there: list mode, type \"" + name + "\", add" + (atBottom ? " at bottom" : ""));
    other.Press(kListModeButton);
    other.Type(name.c_str());
    const bool noDate = other.Checked(kNoDateBox);
    other.Press(atBottom ? kAddAtBottom : kAdd);
    m_model.files[Folded(name)] = StoredList{name, noDate, {}};
    shown = atBottom ? static_cast<int>(names.size()) : 0;
    names.insert(names.begin() + shown, name);
    m_model.order = OrderBytes(names);
  }
  Note("  a second and a half passes");
  chaos::WaitFor([] { return false; }, 1500);
  if (Pick(2) == 0) {
    // Saved a second later, or never: the kill comes at once.
    m_model.unsavedLists.push_back(
        addItem(shown, "直前" + std::to_string(++m_outsideTexts), Pick(2) == 0));
  }
  Note("  the other host is killed");
  EXPECT_TRUE(other.Kill()) << "the other host ends";
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
            GetFileAttributesA((m_listFolder + "\\" + kLockFileName).c_str()))
      << "no lock is left behind";
  CheckFiles();
  m_model.unsavedLists.clear();
  Note("host Initialize: the tool opens on what the killed host left");
  if (OpenWindow()) CheckBoxes();
}

}  // namespace chaos
