#include "support/list_model.h"

#include <algorithm>
#include <cstdio>

#include "support/list_rules.h"
#include "support/tool_facts.h"

namespace todo_test::lists {

using rules::Folded;
using namespace todo_test::tool;

namespace {

// As far back as undo goes.
constexpr std::size_t kUndoSteps = 1000;

// The lines of bytes, each ended by CR LF or LF; a last line without an end counts too.
std::vector<std::string> LinesOf(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t end = std::min(bytes.find('\n', at), bytes.size());
    std::string line = bytes.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

// Takes a state the window showed as the file's content; a file keeps its name's letters.
void Saved(const StoredList& shown, std::map<std::string, StoredList>* files) {
  StoredList& file = (*files)[Folded(shown.name)];
  if (file.name.empty()) file.name = shown.name;
  file.noDate = shown.noDate;
  file.items = shown.items;
  file.lfOnly = false;
}

// Whether the shown list as `shown` differs from its file: only then does the tool write it.
bool Differs(const StoredList& shown, const std::map<std::string, StoredList>& files) {
  const auto it = files.find(Folded(shown.name));
  if (it == files.end()) return shown.noDate || !shown.items.empty();
  return it->second.noDate != shown.noDate || !SameRecords(it->second.items, shown.items);
}

}  // namespace

bool SameRecord(const Item& a, const Item& b) {
  return a.check == b.check && a.due == b.due && a.text == b.text;
}

bool SameRecords(const std::vector<Item>& a, const std::vector<Item>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), &SameRecord);
}

const Item* WithId(const std::vector<Item>& items, int id) {
  for (const Item& item : items) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

std::string FileBytes(const StoredList& list) {
  const char* end = list.lfOnly ? "\n" : "\r\n";
  std::string bytes = list.noDate ? std::string("NO_DATE") + end : "";
  for (const Item& item : list.items) {
    bytes += std::to_string(item.check) + "," + std::to_string(item.due.year) + "," +
             std::to_string(item.due.month) + "," + std::to_string(item.due.day) + "," + item.text +
             end;
  }
  return bytes;
}

bool ReadFileBytes(const std::string& bytes, StoredList* list) {
  std::vector<std::string> lines = LinesOf(bytes);
  list->noDate = !lines.empty() && lines[0] == "NO_DATE";
  if (list->noDate) lines.erase(lines.begin());
  list->items.clear();
  for (const std::string& line : lines) {
    Item item{};
    int text = -1;
    std::sscanf(line.c_str(), "%d,%d,%d,%d,%n", &item.check, &item.due.year, &item.due.month,
                &item.due.day, &text);
    if (text < 0) return false;
    item.text = line.substr(static_cast<std::size_t>(text));
    list->items.push_back(item);
  }
  list->lfOnly = !bytes.empty() && bytes.find("\r\n") == std::string::npos;
  return FileBytes(*list) == bytes;
}

std::vector<std::string> NamesOf(const std::string& orderBytes) {
  std::vector<std::string> names = LinesOf(orderBytes);
  names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
  return names;
}

std::string OrderBytes(const std::vector<std::string>& names) {
  std::string bytes;
  for (const std::string& name : names) bytes += name + "\r\n";
  return bytes;
}

ExpectedMerge ExpectMerge(const std::vector<Item>& base, const std::vector<Item>& mine,
                          const std::vector<Item>& theirs) {
  ExpectedMerge expected;
  for (const Item& item : mine) {
    const Item* before = WithId(base, item.id);
    const Item* their = WithId(theirs, item.id);
    const Item* kept = &item;
    if (before != nullptr) {
      const bool mineChanged = !SameRecord(item, *before);
      const bool theirsChanged = their != nullptr && !SameRecord(*their, *before);
      if (their == nullptr) {
        // Removed outside: gone, unless the window changed it.
        kept = mineChanged ? &item : nullptr;
      } else if (theirsChanged && !mineChanged) {
        kept = their;
      } else if (theirsChanged && !SameRecord(item, *their)) {
        expected.records.push_back(*their);
        ++expected.conflicts;
      }
    }
    expected.fateOfMine.push_back(kept);
    if (kept == nullptr) continue;
    expected.records.push_back(*kept);
    if (kept == &item) expected.mineInOrder.push_back(item);
  }
  for (const Item& item : theirs) {
    const Item* before = WithId(base, item.id);
    if (before == nullptr) {
      expected.records.push_back(item);  // added outside
    } else if (WithId(mine, item.id) == nullptr && !SameRecord(item, *before)) {
      expected.records.push_back(item);  // removed in the window, changed outside
    }
  }
  return expected;
}

bool InOrderWithin(const std::vector<Item>& part, const std::vector<Item>& whole) {
  std::size_t at = 0;
  for (const Item& item : whole) {
    if (at < part.size() && SameRecord(part[at], item)) ++at;
  }
  return at == part.size();
}

std::vector<std::string> RecordLines(const std::vector<Item>& records) {
  std::vector<std::string> lines;
  for (const Item& item : records) lines.push_back(FileBytes(StoredList{"", false, {item}}));
  std::sort(lines.begin(), lines.end());
  return lines;
}

bool ListModel::HasFile(int row) const {
  return rules::NamesFile(rows[row]);
}

StoredList ListModel::FileOf(const std::string& name) const {
  const auto file = files.find(Folded(name));
  return file != files.end() ? file->second : StoredList{name, false, {}};
}

void ListModel::Opened() {
  static_cast<Lists&>(*this) = Lists{NamesOf(order), -1, {}, false, -1, files};
  open = true;
  Activate(true);
  unsavedLists.clear();
  unsavedOrders.clear();
  m_steps.clear();
  m_done = 0;
}

void ListModel::Activate(bool names) {
  listMode = names;
  text.clear();
  if (names) noDateBox = false;
}

void ListModel::LoadSelected() {
  shown.clear();
  itemSelected = -1;
  if (!HasFile(selected)) return;  // never opened: nothing is loaded
  const auto it = files.find(Folded(rows[selected]));
  shownNoDate = it != files.end() && it->second.noDate;
  if (it != files.end()) shown = it->second.items;
  if (listMode) noDateBox = shownNoDate;
}

void ListModel::SelectList(int row) {
  SaveShown();
  selected = row;
  LoadSelected();
}

bool ListModel::ClickList(int row, bool focused) {
  const bool startsRename = row >= 0 && row == selected && focused;
  Activate(true);
  if (row >= 0 && row != selected) SelectList(row);
  return startsRename;
}

bool ListModel::ClickItem(int row, bool focused, bool onCheck) {
  Activate(false);
  if (row >= 0 && row != itemSelected) {
    itemSelected = row;
  } else if (row >= 0 && focused) {
    if (!onCheck) return true;
    const Lists before = *this;
    Item& item = shown[row];
    item.check = item.check == 0 ? 1 : 0;
    Record(before);
  }
  return false;
}

const char* ListModel::NewListRefusal() const {
  const std::string name = rules::TakenText(text, rules::kListNameBytes);
  if (name.empty()) return kEnterListName;
  if (rules::NameRefused(name)) return kBadListName;
  for (const std::string& row : rows) {
    if (Folded(row) == Folded(name)) return kListExists;
  }
  // A path too long for the platform names no file it can make.
  if (!rules::NamesFile(name) || folderPathBytes + name.size() + 4 >= 260) return kCannotCreate;
  // A file that no list names keeps its items: the name is refused rather than the file emptied.
  return files.count(Folded(name)) != 0 ? kListExists : nullptr;
}

const char* ListModel::Add(bool atBottom, bool noDate) {
  const Lists before = *this;
  if (listMode) {
    if (const char* refusal = NewListRefusal()) return refusal;
    const std::string name = rules::TakenText(text, rules::kListNameBytes);
    SaveShown();
    files[Folded(name)] = StoredList{name, noDate, {}};
    const int at = atBottom ? static_cast<int>(rows.size()) : 0;
    rows.insert(rows.begin() + at, name);
    selected = at;
    shown.clear();
    shownNoDate = noDateBox = noDate;
    itemSelected = -1;
  } else {
    if (selected < 0) return kNoListSelected;
    if (!HasFile(selected)) return kListNotStorable;  // the item could never be saved
    if (text.empty()) return kEnterItem;
    const Item item{0, picker, rules::TakenText(text, rules::kItemTextBytes), ++lastId};
    if (atBottom) {
      shown.push_back(item);
    } else {
      shown.insert(shown.begin(), item);
      if (itemSelected >= 0) ++itemSelected;
    }
  }
  text.clear();
  Record(before);
  return nullptr;
}

void ListModel::Move(int step) {
  int& at = listMode ? selected : itemSelected;
  const std::size_t count = listMode ? rows.size() : shown.size();
  if (at < 0 || at + step < 0 || at + step >= static_cast<int>(count)) return;
  const Lists before = *this;
  if (listMode) {
    std::swap(rows[at], rows[at + step]);
  } else {
    std::swap(shown[at], shown[at + step]);
  }
  at += step;
  Record(before);
}

const char* ListModel::RemoveQuestion(bool all) const {
  if (listMode) {
    if (all) return rows.empty() ? nullptr : kClearLists;
    return selected >= 0 ? kDeleteList : nullptr;
  }
  if (all) return shown.empty() ? nullptr : kClearItems;
  return itemSelected >= 0 ? kDeleteItem : nullptr;
}

void ListModel::Remove(bool all) {
  const Lists before = *this;
  if (listMode) {
    const int first = all ? 0 : selected;
    const int end = all ? static_cast<int>(rows.size()) : selected + 1;
    for (int row = first; row < end; ++row) {
      if (HasFile(row)) files.erase(Folded(rows[row]));
    }
    rows.erase(rows.begin() + first, rows.begin() + end);
    unsavedLists.clear();  // the shown list's file is gone at once, never saved again
    selected = -1;
    shown.clear();  // not saved anywhere
    itemSelected = -1;
  } else if (all) {
    shown.clear();
    itemSelected = -1;
  } else {
    shown.erase(shown.begin() + itemSelected);
    if (itemSelected >= static_cast<int>(shown.size())) --itemSelected;
  }
  Record(before);
}

const char* ListModel::LeaveTextBox() {
  const std::size_t limit = listMode ? rules::kListNameBytes : rules::kItemTextBytes;
  if (rules::TakenText(text, text.size()).size() <= limit) return nullptr;
  text = rules::TakenText(text, limit);
  return kTextTooLong;
}

void ListModel::EditText(int row, const std::string& typed) {
  const std::string edited = rules::EditedText(typed);
  // An edit that ends empty is given up.
  if (edited.empty() || edited == shown[row].text) return;
  const Lists before = *this;
  shown[row].text = edited;
  Record(before);
}

void ListModel::EditDate(int row, Date due) {
  if (shown[row].due == due) return;
  const Lists before = *this;
  shown[row].due = due;
  Record(before);
}

const char* ListModel::Rename(int row, const std::string& typed) {
  const std::string edited = rules::EditedText(typed);
  if (edited.empty() || rules::NameRefused(edited)) return nullptr;  // refused without a word
  for (std::size_t other = 0; other < rows.size(); ++other) {
    if (static_cast<int>(other) != row && Folded(rows[other]) == Folded(edited)) {
      return kDuplicateName;
    }
  }
  std::string& name = rows[row];
  if (edited == name || !rules::NamesFile(edited)) return nullptr;
  // Its file would be another's (Windows ignores the letter case): the name stays.
  if (Folded(name) != Folded(edited) && files.count(Folded(edited)) != 0) return nullptr;
  const Lists before = *this;
  if (!HasFile(row)) {
    // A name that named no file takes the new name with nothing stored, like a list whose file
    // is missing: from now on it is an empty dated list of its own.
    shownNoDate = false;
  } else if (files.count(Folded(name)) != 0) {
    // The file moves at once with what it holds, saved or not yet.
    StoredList moved = files[Folded(name)];
    moved.name = edited;
    files.erase(Folded(name));
    files[Folded(edited)] = moved;
  }
  for (StoredList& unsaved : unsavedLists) {
    if (Folded(unsaved.name) == Folded(name)) unsaved.name = edited;
  }
  name = edited;
  Record(before);
  return nullptr;
}

void ListModel::Record(const Lists& before) {
  m_steps.resize(m_done);
  m_steps.emplace_back(before, *this);
  if (m_steps.size() > kUndoSteps) m_steps.erase(m_steps.begin());
  m_done = m_steps.size();
}

void ListModel::Undo() {
  if (m_done > 0) static_cast<Lists&>(*this) = m_steps[--m_done].first;
}

void ListModel::Redo() {
  if (m_done < m_steps.size()) static_cast<Lists&>(*this) = m_steps[m_done++].second;
}

void ListModel::SaveShown() {
  unsavedLists.clear();
  if (selected < 0 || !HasFile(selected)) return;
  const StoredList list = ShownList();
  if (Differs(list, files)) {
    Saved(list, &files);
  } else if (files.count(Folded(list.name)) != 0) {
    files[Folded(list.name)].items = shown;  // the same records: the window's items are the file's
  }
}

void ListModel::SaveNames() {
  unsavedOrders.clear();
  if (rows != NamesOf(order)) order = OrderBytes(rows);
}

bool ListModel::ShownUnsaved() const {
  return ShowsStoredList() && Differs(ShownList(), files);
}

void ListModel::RememberWindow() {
  if (!open) return;
  if (selected >= 0 && HasFile(selected)) unsavedLists.push_back(ShownList());
  unsavedOrders.push_back(OrderBytes(rows));
}

void ListModel::SeeSaves(const std::map<std::string, std::string>& found) {
  for (std::size_t i = unsavedLists.size(); i-- > 0;) {
    const auto it = found.find(Folded(unsavedLists[i].name) + ".LST");
    if (Differs(unsavedLists[i], files) && it != found.end() &&
        it->second == FileBytes(unsavedLists[i])) {
      Saved(unsavedLists[i], &files);
      break;
    }
  }
  if (unsavedLists.size() > 1) unsavedLists.erase(unsavedLists.begin(), unsavedLists.end() - 1);
  const auto stored = found.find("LISTINFO.DAT");
  for (std::size_t i = unsavedOrders.size(); i-- > 0;) {
    if (NamesOf(unsavedOrders[i]) != NamesOf(order) && stored != found.end() &&
        stored->second == unsavedOrders[i]) {
      order = unsavedOrders[i];
      break;
    }
  }
  if (unsavedOrders.size() > 1) {
    unsavedOrders.erase(unsavedOrders.begin(), unsavedOrders.end() - 1);
  }
}

std::map<std::string, std::string> ListModel::ExpectedFiles() const {
  std::map<std::string, std::string> expected{{"LISTINFO.DAT", order}};
  for (const auto& file : files) expected[file.first + ".LST"] = FileBytes(file.second);
  return expected;
}

void ListModel::ShowFile(const StoredList& file, int select) {
  files[Folded(rows[selected])] = file;
  shown = file.items;
  shownNoDate = file.noDate;
  itemSelected = select;
  if (listMode) noDateBox = file.noDate;
}

std::vector<std::string> ListModel::MergedNames(const std::vector<std::string>& base,
                                                const std::vector<std::string>& theirs) const {
  const auto holds = [](const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  std::vector<std::string> expected;
  for (const std::string& name : rows) {
    const bool fileGone = !rules::NamesFile(name) || files.count(Folded(name)) == 0;
    if (!holds(base, name) || holds(theirs, name) || !fileGone) expected.push_back(name);
  }
  for (const std::string& name : theirs) {
    if (!holds(base, name)) expected.push_back(name);
  }
  std::sort(expected.begin(), expected.end());
  return expected;
}

void RandomSteps::Choose(const std::vector<Choice>& choices) {
  int total = 0;
  for (const Choice& choice : choices) total += choice.first;
  int at = Pick(total);
  for (const Choice& choice : choices) {
    if (at < choice.first) return choice.second();
    at -= choice.first;
  }
}

}  // namespace todo_test::lists
