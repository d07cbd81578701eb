// The tool's saves as the chaos walk models them. A change in the window reaches the disk a
// second after the user's last change, at a moment the walk does not know; a save occasion (a
// list left, the host's SaveState, a close, a pause past the timer) writes at once. So the model
// keeps what the disk was seen to hold and the window's states since: after a step the disk
// must hold one of them, and the newest it holds is saved from then on; after a save occasion it
// must hold exactly what the window shows, and a list the window did not change must not have
// been written at all.

#include "chaos/chaos_walk.h"

#include <utility>

#include "chaos/chaos_text.h"
#include "chaos/folder_lock.h"

namespace chaos {

namespace {

std::vector<std::string> NamesOfRows(const std::vector<Row>& rows) {
  std::vector<std::string> names;
  for (const Row& row : rows) names.push_back(row.name);
  return names;
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

void HostChaos::SaveShown() {
  m_model.unsavedLists.clear();
  if (m_model.selected < 0 || !m_model.rows[m_model.selected].hasFile) return;
  const StoredList shown{m_model.rows[m_model.selected].name, m_model.shownNoDate, m_model.shown};
  if (Differs(shown, m_model.files)) {
    Saved(shown, &m_model.files);
  } else if (m_model.files.count(Folded(shown.name))) {
    // The same records: the window's items are the file's.
    m_model.files[Folded(shown.name)].items = shown.items;
  }
}

bool HostChaos::ShownUnsaved() const {
  if (!m_model.open || m_model.selected < 0 || !m_model.rows[m_model.selected].hasFile) {
    return false;
  }
  return Differs(
      StoredList{m_model.rows[m_model.selected].name, m_model.shownNoDate, m_model.shown},
      m_model.files);
}

void HostChaos::SaveNames() {
  m_model.unsavedOrders.clear();
  const std::vector<std::string> names = NamesOfRows(m_model.rows);
  if (names != NamesOf(m_model.order)) m_model.order = OrderBytes(names);
}

void HostChaos::RememberWindow() {
  if (!m_model.open) return;
  if (m_model.selected >= 0 && m_model.rows[m_model.selected].hasFile) {
    m_model.unsavedLists.push_back(
        StoredList{m_model.rows[m_model.selected].name, m_model.shownNoDate, m_model.shown});
  }
  m_model.unsavedOrders.push_back(OrderBytes(NamesOfRows(m_model.rows)));
}

void HostChaos::SeeSaves(const FileTree& found) {
  std::vector<StoredList>& lists = m_model.unsavedLists;
  for (std::size_t i = lists.size(); i-- > 0;) {
    const auto it = found.find(Folded(lists[i].name) + ".LST");
    if (Differs(lists[i], m_model.files) && it != found.end() &&
        it->second == FileBytes(lists[i])) {
      Saved(lists[i], &m_model.files);
      break;
    }
  }
  if (lists.size() > 1) lists.erase(lists.begin(), lists.end() - 1);
  std::vector<std::string>& orders = m_model.unsavedOrders;
  const auto order = found.find("LISTINFO.DAT");
  for (std::size_t i = orders.size(); i-- > 0;) {
    if (NamesOf(orders[i]) != NamesOf(m_model.order) && order != found.end() &&
        order->second == orders[i]) {
      m_model.order = orders[i];
      break;
    }
  }
  if (orders.size() > 1) orders.erase(orders.begin(), orders.end() - 1);
}

FileTree HostChaos::ListFolderFiles() const {
  FileTree found;
  for (const auto& file : chaos::FilesIn(m_listFolder)) {
    if (file.first != kLockFileName) found[Folded(file.first)] = file.second;
  }
  return found;
}

// The user leaves the window alone for longer than the tool waits before it saves.
void HostChaos::Pause() {
  Note("the user pauses for 1.5 s");
  chaos::WaitFor([] { return false; }, 1500);
  SaveShown();
  SaveNames();
  // A slow machine may run the timer late: the files are given a moment more, never less.
  chaos::WaitFor([&] { return FilesAsModelled(); }, 2000);
}

}  // namespace chaos
