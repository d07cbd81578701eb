// The checks after every step of the chaos walk: the window open exactly when it should be,
// the message box, settings dialog and in-place editor the model expects, the busy flag, and
// every file inside and outside the list folder as the model says.

#include "chaos/chaos_walk.h"

#include <algorithm>

#include "chaos/chaos_text.h"

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
  chaos::AddTree(outer_, "", listFolder_, &outside);
  EXPECT_TRUE(outside == outsideBefore_) << "files outside the list folder changed:\n"
                                         << TreeDifference(outsideBefore_, outside);
  FileTree expected;
  expected["LISTINFO.DAT"] = model_.order;
  for (const auto& file : model_.files) expected[file.first + ".LST"] = FileBytes(file.second);
  FileTree found;
  for (const auto& file : chaos::FilesIn(listFolder_)) found[Folded(file.first)] = file.second;
  EXPECT_TRUE(expected == found) << "the list folder differs from the model:\n"
                                 << TreeDifference(expected, found);
}

void HostChaos::Check() {
  HWND tool = Tool();
  ASSERT_EQ(model_.open, tool != nullptr) << "the window is open exactly when it should be";
  if (tool) {
    EXPECT_TRUE(IsWindowVisible(tool));
    chaos::ModalWindows modal = chaos::ModalWindowsOf(toolThread_);
    if (box_ && box_->mayBeMissing && modal.messageBoxes.empty()) box_.reset();
    if (box_) {
      EXPECT_EQ(1u, modal.messageBoxes.size()) << "one message box is open";
      if (!modal.messageBoxes.empty()) {
        EXPECT_NE(std::find(box_->texts.begin(), box_->texts.end(), modal.texts[0]),
                  box_->texts.end())
            << "unexpected message \"" << Shown(modal.texts[0]) << "\"";
      }
    } else {
      EXPECT_EQ(0u, modal.messageBoxes.size())
          << "no message box is open"
          << (modal.texts.empty() ? "" : ", but \"" + Shown(modal.texts[0]) + "\" is");
    }
    EXPECT_EQ(settingsOpen_ ? 1u : 0u, modal.settings.size()) << "the settings dialog";
    EXPECT_EQ(box_ || settingsOpen_ ? 1 : 0, host_->tool()->m_bBusy.load())
        << "busy exactly while a box or the settings dialog is open";
    const bool editorShown = chaos::EditorOf(listBox_) || chaos::EditorOf(itemBox_);
    EXPECT_EQ(editor_.has_value(), editorShown) << "an in-place editor is open";
  }
  CheckFiles();
}

}  // namespace chaos
