// Another program's steps of the chaos walk: an editor or a program that synchronises folders
// rewrites the shown list's file, another list's file or the list-order file; it adds, removes,
// ticks and edits records, and adds and removes list names with or without their files. It
// writes a new file and moves it over the old one, or writes in place, or deletes the file and
// writes it again a moment later. Then the window looks at the shown list's file and the
// list-order file (chaos_outside_looks.cpp).

#include "chaos/chaos_walk.h"

#include <algorithm>

#include "support/tool_facts.h"

namespace chaos {

using namespace todo_test::tool;

namespace {

int CountOf(const std::vector<Item>& items, const Item& record) {
  return static_cast<int>(std::count_if(
      items.begin(), items.end(), [&](const Item& item) { return SameRecord(item, record); }));
}

}  // namespace

void HostChaos::OutsideWrite() {
  const int target = Pick(m_model.ShowsStoredList() ? 8 : 3);
  // The other program reads and writes while the tool windows of the folder wait.
  std::optional<FolderLock> lock(std::in_place, m_listFolder);
  ASSERT_TRUE(lock->Held());
  m_model.SeeSaves(ListFolderFiles());
  if (target == 0) {
    std::string base = m_model.order;
    std::string written;
    WriteListNames(&lock, &written);
    lock.reset();
    if (!m_model.open) {
      m_model.order = written;
      return;
    }
    LookAfterOutsideWrite();
    m_model.SaveShown();
    NamesLooked(base, written);
  } else if (target < 3) {
    // The window compares only the shown list's file: this one it reads when it shows it.
    WriteOtherList(&lock);
  } else {
    const std::string name = m_model.rows[m_model.selected];
    if (!m_model.shown.empty() && Pick(3) != 0) {
      // The user ticks an item at the moment the other program reads the file.
      lock.reset();
      const int row = Pick(static_cast<int>(m_model.shown.size()));
      const int ticked = m_model.shown[static_cast<std::size_t>(row)].check;
      for (int click = 0; click < 2 && m_model.shown[static_cast<std::size_t>(row)].check == ticked;
           ++click) {
        ClickRow(false, row, kCheckX);
      }
      lock.emplace(m_listFolder);
      ASSERT_TRUE(lock->Held());
      m_model.SeeSaves(ListFolderFiles());
    }
    const bool exists = m_model.files.count(Folded(name)) != 0;
    const StoredList base = m_model.FileOf(name);
    Note("another program rewrites the shown list \"" + name + "\"");
    StoredList written = base;
    written.items = EditAsAnotherProgram(base.items, &m_model.shown);
    written.lfOnly = Pick(2) == 0;
    ASSERT_TRUE(WriteAsAnotherProgram(&lock, name + ".lst", FileBytes(written), exists));
    lock.reset();
    // What the tool saves next is no longer the window's items as they stand.
    m_model.unsavedLists.clear();
    LookAfterOutsideWrite();
    ShownListLooked(base, written);
    m_model.SaveNames();
  }
}

std::vector<Item> HostChaos::EditAsAnotherProgram(const std::vector<Item>& base,
                                                  const std::vector<Item>* window) {
  // What the window changed or removed since the file was read.
  const auto touchedHere = [&](const Item& item) {
    const Item* shown = window != nullptr ? WithId(*window, item.id) : &item;
    return shown == nullptr || !SameRecord(*shown, item);
  };
  // A merge tells what each side did to a record by comparing the side with the base: a record
  // changed in place, or one keeping its text, is seen as that record changed; one removed or
  // changed beside a record removed or added it may take for another record changed. So a
  // record the window changed too is changed outside only where the merge cannot mistake
  // either side, and outside only in place then: by ticks and edits, or by ticks and removals.
  const bool inPlaceHere = window != nullptr && window->size() == base.size() &&
                           std::equal(base.begin(), base.end(), window->begin(),
                                      [](const Item& a, const Item& b) { return a.id == b.id; });
  const bool addsOrEditsHere =
      window != nullptr && std::any_of(window->begin(), window->end(), [&](const Item& shown) {
        return WithId(base, shown.id) == nullptr ||
               std::any_of(base.begin(), base.end(), [&](const Item& read) {
                 return read.id == shown.id && read.text != shown.text;
               });
      });
  const auto textCount = [](const std::vector<Item>& items, const std::string& text) {
    return std::count_if(items.begin(), items.end(),
                         [&](const Item& one) { return one.text == text; });
  };
  const auto mayChangeBoth = [&](const Item& item) {
    const Item* shown = WithId(*window, item.id);
    if (textCount(base, item.text) != 1) return false;
    if (shown == nullptr) return !addsOrEditsHere && textCount(*window, item.text) == 0;
    return textCount(*window, shown->text) == 1 &&
           textCount(base, shown->text) == (shown->text == item.text ? 1 : 0) &&
           (inPlaceHere || shown->text == item.text);
  };
  const bool bothSides = window != nullptr && Pick(3) != 0 &&
                         std::any_of(base.begin(), base.end(), [&](const Item& item) {
                           return touchedHere(item) && mayChangeBoth(item);
                         });
  const bool removals = !bothSides || Pick(3) == 0;
  if (bothSides) Note("  also on records the window changed");

  std::vector<Item> theirs = base;
  std::vector<int> changed;
  for (int edits = 1 + Pick(3); edits > 0; --edits) {
    // Records the other program may change: not changed yet, one of a kind in the file, and
    // in the window only as itself, so that no merge has to guess which of equal records it
    // meant.
    std::vector<std::size_t> mayChange;
    std::vector<std::size_t> changedHere;
    for (std::size_t at = 0; at < theirs.size(); ++at) {
      const Item& item = theirs[at];
      const bool windowHasTwin =
          window != nullptr && std::any_of(window->begin(), window->end(), [&](const Item& shown) {
            return shown.id != item.id && SameRecord(shown, item);
          });
      if (std::find(changed.begin(), changed.end(), item.id) != changed.end() ||
          CountOf(base, item) != 1 || CountOf(theirs, item) != 1 || windowHasTwin) {
        continue;
      }
      if (!touchedHere(item)) mayChange.push_back(at);
      if (touchedHere(item) && bothSides && mayChangeBoth(item)) changedHere.push_back(at);
    }
    if (!changedHere.empty() && Pick(3) != 0) {
      mayChange = changedHere;
    } else {
      mayChange.insert(mayChange.end(), changedHere.begin(), changedHere.end());
    }
    // Kinds: 0 add, 1 remove, 2 tick, 3 edit; both sides change records in place only.
    const int kind = mayChange.empty() ? 0
                     : !bothSides      ? Pick(4)
                     : Pick(3) == 0    ? 2
                     : removals        ? 1
                                       : 3;
    if (kind == 0) {
      // Room for what the merge may add to the window, so that every row stays in view.
      if (bothSides || (window != nullptr && window->size() + 3 >= kMostItems) ||
          theirs.size() + 1 >= kMostItems) {
        continue;
      }
      const Item added{0, kDates[Pick(4)], "外" + std::to_string(++m_outsideTexts),
                       ++m_model.lastId};
      const int at = Pick(static_cast<int>(theirs.size()) + 1);
      Note("  adds \"" + added.text + "\" at line " + std::to_string(at));
      theirs.insert(theirs.begin() + at, added);
      continue;
    }
    const std::size_t at =
        mayChange[static_cast<std::size_t>(Pick(static_cast<int>(mayChange.size())))];
    Item& item = theirs[at];
    if (kind == 1 && removals) {
      Note("  removes \"" + item.text + "\"");
      changed.push_back(item.id);
      theirs.erase(theirs.begin() + static_cast<std::ptrdiff_t>(at));
    } else if (kind == 2 || kind == 1) {
      Item ticked = item;
      ticked.check = item.check == 0 ? 1 : 0;
      // A tick that makes it equal to another record would leave the merge guessing; the
      // window's own version of it may be the same, which is one change made twice.
      const Item* shown = window != nullptr ? WithId(*window, item.id) : nullptr;
      const int inWindow = window != nullptr ? CountOf(*window, ticked) : 0;
      if (CountOf(base, ticked) != 0 ||
          inWindow != (shown != nullptr && SameRecord(*shown, ticked) ? 1 : 0)) {
        continue;
      }
      Note("  ticks \"" + item.text + "\" " + (ticked.check ? "done" : "open"));
      changed.push_back(item.id);
      item = ticked;
    } else if (!bothSides || !removals) {
      const std::string text = "外" + std::to_string(++m_outsideTexts) + "に直す";
      Note("  edits \"" + item.text + "\" to \"" + text + "\"");
      changed.push_back(item.id);
      item.text = text;
    }
  }
  return theirs;
}

void HostChaos::WriteOtherList(std::optional<FolderLock>* lock) {
  // Any list file but the shown list's, or the file of a list that has none yet.
  const std::string shown = m_model.open && m_model.selected >= 0
                                ? Folded(m_model.rows[m_model.selected])
                                : std::string();
  std::vector<std::string> names;
  for (const auto& file : m_model.files) {
    if (file.first != shown) names.push_back(file.second.name);
  }
  for (const std::string& name : NamesOf(m_model.order)) {
    if (todo_test::rules::NamesFile(name) && Folded(name) != shown &&
        !m_model.files.count(Folded(name))) {
      names.push_back(name);
    }
  }
  if (names.empty()) return;
  const std::string name = PickOf(names);
  const bool exists = m_model.files.count(Folded(name)) != 0;
  Note("another program rewrites the list file \"" + name + "\"");
  StoredList written = m_model.FileOf(name);
  written.items = EditAsAnotherProgram(written.items, nullptr);
  written.lfOnly = Pick(2) == 0;
  ASSERT_TRUE(WriteAsAnotherProgram(lock, name + ".lst", FileBytes(written), exists));
  m_model.files[Folded(name)] = written;
}

void HostChaos::WriteListNames(std::optional<FolderLock>* lock, std::string* written) {
  std::vector<std::string> names = NamesOf(m_model.order);
  const std::string shown =
      m_model.open && m_model.selected >= 0 ? m_model.rows[m_model.selected] : std::string();
  Note("another program rewrites the list-order file");
  for (int edits = 1 + Pick(2); edits > 0; --edits) {
    const std::size_t lists = std::max(names.size(), m_model.open ? m_model.rows.size() : 0);
    if (names.empty() || (Pick(2) == 0 && lists + 1 < static_cast<std::size_t>(kMostLists))) {
      const std::string name = "外リスト" + std::to_string(++m_outsideTexts);
      const int at = Pick(static_cast<int>(names.size()) + 1);
      names.insert(names.begin() + at, name);
      if (Pick(2) == 0) {
        Note("  adds the list \"" + name + "\" with its file, at line " + std::to_string(at));
        const StoredList list{
            name,
            Pick(3) == 0,
            {{0, kDates[Pick(4)], "外" + std::to_string(++m_outsideTexts), ++m_model.lastId}},
            Pick(2) == 0};
        ASSERT_TRUE(chaos::WriteBytes(m_listFolder + "\\" + name + ".lst", FileBytes(list)));
        m_model.files[Folded(name)] = list;
      } else {
        Note("  adds the name \"" + name + "\" without a file, at line " + std::to_string(at));
      }
      continue;
    }
    const std::size_t at = static_cast<std::size_t>(Pick(static_cast<int>(names.size())));
    const std::string name = names[at];
    names.erase(names.begin() + static_cast<std::ptrdiff_t>(at));
    // The shown list's file missing would be waited for some seconds: never removed here.
    if (name != shown && m_model.files.count(Folded(name)) && todo_test::rules::NamesFile(name) &&
        Pick(2) == 0) {
      Note("  removes the list \"" + name + "\" with its file");
      ASSERT_TRUE(DeleteFileA((m_listFolder + "\\" + name + ".lst").c_str()));
      m_model.files.erase(Folded(name));
    } else {
      Note("  removes the name \"" + name + "\"" +
           (m_model.files.count(Folded(name)) ? ", leaving its file" : ""));
    }
  }
  std::string bytes;
  const bool lfOnly = Pick(2) == 0;
  for (const std::string& name : names) bytes += name + (lfOnly ? "\n" : "\r\n");
  ASSERT_TRUE(WriteAsAnotherProgram(lock, "ListInfo.dat", bytes, true));
  *written = bytes;
  m_model.unsavedOrders.clear();
}

bool HostChaos::WriteAsAnotherProgram(std::optional<FolderLock>* lock, const std::string& file,
                                      const std::string& bytes, bool mayDelete) {
  const std::string path = m_listFolder + "\\" + file;
  const int manner = Pick(mayDelete ? 3 : 2);
  if (manner == 1) {
    Note("  written in place");
    return chaos::WriteBytes(path, bytes);
  }
  if (manner == 2) {
    // As a program that synchronises folders does: the lock is let go meanwhile, so that the
    // tool looks at the folder without the file, and it must not write the file then.
    Note("  deleted, and written again a moment later");
    if (!DeleteFileA(path.c_str())) return false;
    lock->reset();
    chaos::WaitFor([] { return false; }, 400);
    lock->emplace(m_listFolder);
    if (!(*lock)->Held()) return false;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()))
        << "a file missing for a moment is not written meanwhile";
  } else {
    Note("  a new file moved over the old one");
  }
  const std::string temp = m_listFolder + "\\another.tmp";
  return chaos::WriteBytes(temp, bytes) &&
         MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace chaos
