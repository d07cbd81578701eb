// The checks after every step of the chaos walk: the window open exactly when it should be,
// the message box, settings dialog and in-place editor the model expects, the busy flag, and
// every file inside and outside the list folder as the model says, read while the folder's
// lock is held so that no save of the tool is half seen. After the window took in what others
// wrote, also both boxes' rows as a screen reader reads them.

#include "chaos/chaos_walk.h"

#include <algorithm>

namespace chaos {
namespace {

std::string TreeDifference(const FileTree& expected, const FileTree& found) {
  std::string out;
  for (const auto& entry : expected) {
    auto it = found.find(entry.first);
    if (it == found.end()) {
      out += "  missing " + Shown(entry.first) + "\n";
    } else if (it->second != entry.second) {
      out += "  " + Shown(entry.first) + ": expected \"" + Shown(entry.second) + "\", found \"" +
             Shown(it->second) + "\"\n";
    }
  }
  for (const auto& entry : found) {
    if (!expected.count(entry.first)) {
      out += "  unexpected " + Shown(entry.first) + " \"" + Shown(entry.second) + "\"\n";
    }
  }
  return out;
}

}  // namespace

void HostChaos::CheckFiles() {
  FileTree outside;
  chaos::AddTree(m_outer, "", m_listFolder, &outside);
  EXPECT_TRUE(outside == m_outsideBefore) << "files outside the list folder changed:\n"
                                          << TreeDifference(m_outsideBefore, outside);
  const FolderLock lock(m_listFolder);
  ASSERT_TRUE(lock.Held()) << "the list folder's lock is let go";
  const FileTree found = ListFolderFiles();
  m_model.SeeSaves(found);
  const FileTree expected = m_model.ExpectedFiles();
  EXPECT_TRUE(expected == found) << "the list folder differs from the model:\n"
                                 << TreeDifference(expected, found);
}

FileTree HostChaos::ListFolderFiles() const {
  FileTree found;
  for (const auto& file : chaos::FilesIn(m_listFolder)) {
    if (file.first != kLockFileName) found[Folded(file.first)] = file.second;
  }
  return found;
}

std::string HostChaos::FileNow(const std::string& foldedName) const {
  const FolderLock lock(m_listFolder);
  const FileTree found = ListFolderFiles();
  const auto file = found.find(foldedName);
  return file != found.end() ? file->second : "<missing>";
}

bool HostChaos::FilesAsModelled() {
  const FolderLock lock(m_listFolder);
  return lock.Held() && ListFolderFiles() == m_model.ExpectedFiles();
}

void HostChaos::CheckBoxes() {
  std::vector<std::string> names;
  std::vector<std::string> items;
  ASSERT_TRUE(chaos::ReadRows(m_listBox, &names) && chaos::ReadRows(m_itemBox, &items))
      << "the boxes read as a screen reader reads them";
  std::vector<std::string> expectedNames;
  for (std::size_t row = 0; row < m_model.rows.size(); ++row) {
    expectedNames.push_back(Utf8(m_model.rows[row]) +
                            (static_cast<int>(row) == m_model.selected ? " [selected]" : ""));
  }
  std::vector<std::string> expectedItems;
  for (std::size_t row = 0; row < m_model.shown.size(); ++row) {
    expectedItems.push_back(Utf8(m_model.shown[row].text) +
                            (m_model.shown[row].check != 0 ? " [checked]" : "") +
                            (static_cast<int>(row) == m_model.itemSelected ? " [selected]" : ""));
  }
  EXPECT_EQ(expectedNames, names) << "the list-name box";
  EXPECT_EQ(expectedItems, items) << "the item box";
}

void HostChaos::Check() {
  HWND tool = Tool();
  ASSERT_EQ(m_model.open, tool != nullptr) << "the window is open exactly when it should be";
  if (tool) {
    EXPECT_TRUE(IsWindowVisible(tool));
    chaos::ModalWindows modal = chaos::ModalWindowsOf(m_toolThread);
    if (m_box) {
      EXPECT_EQ(1u, modal.messageBoxes.size()) << "one message box is open";
      if (!modal.messageBoxes.empty()) {
        EXPECT_EQ(m_box->text, modal.texts[0])
            << "unexpected message \"" << Shown(modal.texts[0]) << "\"";
      }
    } else {
      EXPECT_EQ(0u, modal.messageBoxes.size())
          << "no message box is open"
          << (modal.texts.empty() ? "" : ", but \"" + Shown(modal.texts[0]) + "\" is");
    }
    EXPECT_EQ(m_settingsOpen ? 1u : 0u, modal.settings.size()) << "the settings dialog";
    EXPECT_EQ(m_box || m_settingsOpen ? 1 : 0, m_host->tool()->m_bBusy.load())
        << "busy exactly while a box or the settings dialog is open";
    const bool editorShown = chaos::EditorOf(m_listBox) || chaos::EditorOf(m_itemBox);
    EXPECT_EQ(m_editor.has_value(), editorShown) << "an in-place editor is open";
  }
  CheckFiles();
}

}  // namespace chaos
