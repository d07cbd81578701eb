// A list of 100,000 items natively, through the dialog's logic over the headless list boxes:
// the same code the tool window runs, without Windows.
//
//   lists_native FOLDER
//
//   load/save   the list loaded into the item box by a click on its name, one item ticked,
//               and the list saved back by the host's save; beside them, in the same program
//               and on the same file, a plain line read (std::getline), as the floor to
//               compare with, and the part of a save that is the file system's: the same
//               bytes written, flushed and moved over a file, as every save does
//
// FOLDER is an empty folder of the benchmark's own. Prints "name value" lines (milliseconds:
// the best of several rounds, the median and the worst) for scripts/bench.sh; exit code 1
// when a round did not load or save every item as expected.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench_data.h"
#include "bench_timing.h"
#include "dialog/todo_dialog.h"
#include "quarnctrl/quarn_headless.h"
#include "storage/atomic_save.h"
#include "storage/files.h"
#include "storage/paths.h"
#include "support/folder_host.h"
#include "support/headless_window_ops.h"

namespace {

constexpr int kItems = 100000;
constexpr int kRounds = 7;

using bench::MillisecondsSince;

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The bytes of a list file after its first item was ticked or unticked in the window.
std::string WithFirstItemToggled(std::string bytes) {
  bytes[0] = bytes[0] == '0' ? '1' : '0';
  return bytes;
}

CQuarnListBox* NewHeadlessBox(const char* name) {
  RECT rect{0, 0, 100, 100};
  return CQuarnListBox::NewQuarnCtrl(nullptr, name, &rect, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lists_native FOLDER\n");
    return 2;
  }
  const std::string dataFolder = argv[1];
  std::unique_ptr<storage::Files> files = storage::NewPlatformFiles();
  const std::string listFolder = storage::ListFolderPath(dataFolder);
  files->CreateFolder(listFolder);
  const std::string bigList = storage::ListFilePath(dataFolder, "big");
  // The file system's part of a save goes to a file outside the list folder, so that the
  // window's list is only ever changed by the window.
  const std::string floorFile = dataFolder + storage::kPathSeparator + "floor.bench";
  const std::string bytes = bench::ItemListFile(kItems);
  if (!WriteFile(listFolder + storage::kPathSeparator + "ListInfo.dat",
                 std::string("big\r\n") + bench::kNoFileListName + "\r\n") ||
      !WriteFile(bigList, bytes)) {
    std::fprintf(stderr, "lists_native: cannot write into %s\n", dataFolder.c_str());
    return 1;
  }

  std::atomic<int> busy{0};
  todo_test::FolderHost host(dataFolder);
  todo_test::HeadlessWindowOps window(&busy);
  todo::ToDoDialog dialog(window, &host, *files, busy);
  dialog.AttachBoxes(static_cast<CQuarnImageListBox*>(NewHeadlessBox("ToDoList")),
                     static_cast<CQuarnToDoListBox*>(NewHeadlessBox("ToDoItem")), nullptr);
  dialog.ConfigureBoxes(nullptr, nullptr);
  dialog.LoadListNames();
  quarn::HeadlessFront* names = quarn::HeadlessFrontOf(dialog.ListNameBox());
  quarn::HeadlessFront* items = quarn::HeadlessFrontOf(dialog.ItemBox());
  const auto tickFirstItem = [&] {
    items->PressKey(quarn::Key::Home);
    items->PressKey(quarn::Key::Space);
  };

  std::vector<double> reads;
  std::vector<double> loads;
  std::vector<double> saves;
  std::vector<double> writes;
  bool whole = true;
  for (int round = 0; round < kRounds; ++round) {
    auto start = std::chrono::steady_clock::now();
    whole = bench::ReadLinesWithGetline(bigList) == kItems && whole;
    reads.push_back(MillisecondsSince(start));

    start = std::chrono::steady_clock::now();
    names->Click(0);  // the big list: its items are loaded into the item box
    loads.push_back(MillisecondsSince(start));
    whole = dialog.ItemBox()->GetCount() == kItems && whole;

    // A list only looked at is not written: one item is ticked, as a user changes a list.
    const std::string expected = WithFirstItemToggled(ReadFile(bigList));
    tickFirstItem();
    start = std::chrono::steady_clock::now();
    whole = dialog.SaveCurrentList() == 1 && whole;
    saves.push_back(MillisecondsSince(start));
    whole = ReadFile(bigList) == expected && whole;

    start = std::chrono::steady_clock::now();
    whole = storage::SaveFileAtomically(*files, floorFile, bytes) && whole;
    writes.push_back(MillisecondsSince(start));

    names->Click(1);  // away to a list with no file, for the next round's load
  }
  bench::PrintTimes("line_read_ms", reads);
  bench::PrintTimes("load_ms", loads);
  bench::PrintTimes("save_ms", saves);
  bench::PrintTimes("write_ms", writes);

  std::printf("items %d\n", kItems);
  if (!whole) {
    std::fprintf(stderr, "lists_native: a round did not load or save every item as expected\n");
    return 1;
  }
  return 0;
}
