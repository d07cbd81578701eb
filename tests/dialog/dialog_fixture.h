#pragma once
// A dialog over headless boxes and a headless window, with a data folder of its own on disk,
// and what the user does in it.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dialog/todo_dialog.h"
#include "quarnctrl/quarn_headless.h"
#include "support/fault_injecting_files.h"
#include "storage/files.h"
#include "storage/paths.h"
#include "support/folder_test.h"
#include "support/folder_host.h"
#include "support/headless_window_ops.h"
#include "support/tool_facts.h"

namespace todo_test {

using namespace tool;
using todo::DialogControl;
using todo::MessageAnswer;
using todo::MessageButtons;
using todo::MessageIcon;
using Mode = storage::FaultInjectingFiles::Mode;
using Texts = std::vector<std::string>;
using Messages = std::vector<ShownMessage>;

// A message box shown while the tool counts itself busy: one that tells (an OK button) or asks
// (Yes and No).
inline ShownMessage Told(const std::string& text, MessageIcon icon) {
  return {text, MessageButtons::Ok, icon, 1};
}
inline ShownMessage Asked(const std::string& text, MessageIcon icon) {
  return {text, MessageButtons::YesNo, icon, 1};
}

// A due date as the item box holds it.
inline DWORD Packed(int year, int month, int day) {
  return CQuarnListBox::ConvertToDateData(HeadlessWindowOps::Date(year, month, day));
}

// Gives the dialog a headless list-name box and item box, set up as the window sets them up.
inline void AttachHeadlessBoxes(todo::ToDoDialog& dialog) {
  RECT rect{0, 0, 100, 100};
  auto box = [&](const char* kind) { return CQuarnListBox::NewQuarnCtrl(nullptr, kind, &rect, 0); };
  dialog.AttachBoxes(static_cast<CQuarnImageListBox*>(box("ToDoList")),
                     static_cast<CQuarnToDoListBox*>(box("ToDoItem")), nullptr);
  dialog.ConfigureBoxes(nullptr, nullptr);
}

class DialogTest : public FolderTest {
 protected:
  DialogTest()
      : host(m_folder.Path()),
        faults(*m_files),
        window(&busy),
        dialog(window, &host, faults, busy) {
    m_files->CreateFolder(storage::ListFolderPath(m_folder.Path()));
    AttachHeadlessBoxes(dialog);
  }

  CQuarnImageListBox* names() { return dialog.ListNameBox(); }
  CQuarnToDoListBox* items() { return dialog.ItemBox(); }
  quarn::HeadlessFront* nameFront() { return quarn::HeadlessFrontOf(names()); }
  quarn::HeadlessFront* itemFront() { return quarn::HeadlessFrontOf(items()); }

  std::string ListFile(const std::string& name) {
    return storage::ListFilePath(m_folder.Path(), name);
  }
  // A file of the list folder.
  std::string InListFolder(const std::string& file) {
    return storage::ListFolderPath(m_folder.Path()) + storage::kPathSeparator + file;
  }
  std::string OrderFile() { return InListFolder("ListInfo.dat"); }
  // The names in the list-name box, or the texts in the item box, each followed by ';'.
  template <typename Box>
  static std::string Rows(Box* box) {
    std::string all;
    for (int i = 0; i < box->GetCount(); ++i) all += std::string(box->GetItemText(i)) + ";";
    return all;
  }
  std::string ListNames() { return Rows(names()); }
  std::string ItemTexts() { return Rows(items()); }

  // Lists with files: the order file names them, each list file holds the given bytes, and the
  // list-name box is loaded from them with no list selected.
  void MakeListFiles(const std::vector<std::pair<std::string, std::string>>& lists) {
    std::string order;
    for (const auto& list : lists) {
      order += list.first + "\r\n";
      Write(ListFile(list.first), list.second);
    }
    Write(OrderFile(), order);
    dialog.LoadListNames();
  }
  // The names of the files of the list folder, sorted.
  std::vector<std::string> ListFolderFiles() {
    std::vector<std::string> found;
    EXPECT_TRUE(m_files->ListFolder(storage::ListFolderPath(m_folder.Path()), &found));
    std::sort(found.begin(), found.end());
    return found;
  }
  // Every file of the list folder with its bytes, in name order: "name=bytes|...".
  std::string ListFolderState() {
    std::string all;
    for (const std::string& name : ListFolderFiles())
      all += name + "=" + Read(InListFolder(name)) + "|";
    return all;
  }
  // Everything both boxes show: rows (name; or check, text and date of an item), selections.
  std::string BoxState() {
    std::string all = ListNames() + " sel " + std::to_string(names()->GetCurSel()) + " / ";
    for (int i = 0; i < items()->GetCount(); ++i) {
      all += std::to_string(items()->GetItemCheck(i)) + "," + items()->GetItemText(i) + "," +
             std::to_string(items()->GetItemData(i)) + ";";
    }
    return all + " sel " + std::to_string(items()->GetCurSel());
  }
  // Whether the file at path exists (as the platform sees names: on Windows letter case aside).
  bool Exists(const std::string& path) {
    std::unique_ptr<storage::ReadableFile> file;
    return m_files->OpenForReading(path, &file) != storage::OpenResult::kNotFound;
  }

  // The message boxes shown since the last look, which forgets them; or only their texts.
  Messages TakeMessages() { return std::exchange(window.messages, {}); }
  Texts TakeTexts() {
    Texts texts;
    for (const ShownMessage& shown : TakeMessages()) texts.push_back(shown.text);
    return texts;
  }

  // --- What the user does ---

  // Types `text` and adds it as a list or an item with the top or the bottom button.
  void Add(bool listMode, const std::string& text, bool bottom = false) {
    window.CheckMode(listMode);
    window.text = text;
    window.focus = DialogControl::DatePicker;  // the button took the focus
    bottom ? dialog.OnAddAtBottom() : dialog.OnAdd();
  }
  void NewList(const std::string& name, bool bottom = false) { Add(true, name, bottom); }
  void NewItem(const std::string& text, bool bottom = false) { Add(false, text, bottom); }
  // Runs a command that asks first, answering its question.
  void Answering(MessageAnswer answer, void (todo::ToDoDialog::*command)()) {
    window.answers = {answer};
    (dialog.*command)();
  }
  void Delete() { Answering(MessageAnswer::Yes, &todo::ToDoDialog::OnDelete); }
  void Clear() { Answering(MessageAnswer::Yes, &todo::ToDoDialog::OnClear); }
  // Edits the name of the selected list in `row` in place and ends the edit with Enter.
  void Rename(int row, const std::string& name) {
    nameFront()->Click(row);
    ASSERT_TRUE(nameFront()->EditorOpen());
    nameFront()->TypeText(name);
    nameFront()->PressEnter();
  }
  // Ticks item `row` off, or back on, with Space.
  void Tick(int row) {
    itemFront()->Click(row);
    itemFront()->PressKey(quarn::Key::Space);
  }

  std::atomic<int> busy{0};
  FolderHost host;
  storage::FaultInjectingFiles faults;  // what the dialog reaches files through
  HeadlessWindowOps window;
  todo::ToDoDialog dialog;
};

}  // namespace todo_test
