#pragma once
// A dialog over headless boxes and a headless window, with a data folder of its own on disk.

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "dialog/todo_dialog.h"
#include "quarnctrl/quarn_headless.h"
#include "support/fault_injecting_files.h"
#include "storage/files.h"
#include "storage/paths.h"
#include "storage/scratch_folder.h"
#include "support/folder_host.h"
#include "support/headless_window_ops.h"

namespace todo_test {

class DialogTest : public FolderTest {
 protected:
  DialogTest()
      : host(m_folder.Path()),
        faults(*m_files),
        window(&busy),
        dialog(window, &host, faults, busy) {
    m_files->CreateFolder(storage::ListFolderPath(m_folder.Path()));
    RECT rect{0, 0, 100, 100};
    dialog.AttachBoxes(
        static_cast<CQuarnImageListBox*>(
            CQuarnListBox::NewQuarnCtrl(nullptr, "ToDoList", &rect, 0)),
        static_cast<CQuarnToDoListBox*>(CQuarnListBox::NewQuarnCtrl(nullptr, "ToDoItem", &rect, 0)),
        nullptr);
    dialog.ConfigureBoxes(nullptr, nullptr);
  }

  CQuarnImageListBox* names() { return dialog.ListNameBox(); }
  CQuarnToDoListBox* items() { return dialog.ItemBox(); }
  quarn::HeadlessFront* nameFront() { return quarn::HeadlessFrontOf(names()); }
  quarn::HeadlessFront* itemFront() { return quarn::HeadlessFrontOf(items()); }

  std::string ListFile(const std::string& name) {
    return storage::ListFilePath(m_folder.Path(), name);
  }
  std::string OrderFile() {
    return storage::ListFolderPath(m_folder.Path()) + storage::kPathSeparator + "ListInfo.dat";
  }
  // The names in the list-name box, joined with ';'.
  std::string ListNames() {
    std::string all;
    for (int i = 0; i < names()->GetCount(); ++i) all += std::string(names()->GetItemText(i)) + ";";
    return all;
  }
  std::string ItemTexts() {
    std::string all;
    for (int i = 0; i < items()->GetCount(); ++i) all += std::string(items()->GetItemText(i)) + ";";
    return all;
  }

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
  // Every file of the list folder with its bytes, in name order: "name=bytes|...".
  std::string ListFolderState() {
    std::vector<std::string> found;
    EXPECT_TRUE(m_files->ListFolder(storage::ListFolderPath(m_folder.Path()), &found));
    std::sort(found.begin(), found.end());
    std::string all;
    for (const std::string& name : found) {
      all += name + "=" +
             Read(storage::ListFolderPath(m_folder.Path()) + storage::kPathSeparator + name) + "|";
    }
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

  std::atomic<int> busy{0};
  FolderHost host;
  storage::FaultInjectingFiles faults;  // what the dialog reaches files through
  HeadlessWindowOps window;
  todo::ToDoDialog dialog;
};

}  // namespace todo_test
