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
//   timer save  one item ticked, and the save the timer runs a second later (the timer run
//               by hand here): all of it runs on the window's thread, so its time is how long
//               the window is blocked; then the look at the folder that the save's own change
//               notice brings, and the save's steps one by one (timer_save_steps.h)
//
// FOLDER is an empty folder of the benchmark's own. Prints "name value" lines (milliseconds:
// the best of several rounds, the median and the worst) for scripts/bench.sh; exit code 1
// when a round did not load or save every item as expected.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench_data.h"
#include "bench_timing.h"
#include "dialog/item_side.h"
#include "dialog/todo_dialog.h"
#include "lists/timer_save_steps.h"
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

// The window's timer, run by hand, and its work in the background on a thread of its own: the
// time a run of the timer takes is the time the window is blocked.
class HandTimer : public todo::SyncSignals {
 public:
  ~HandTimer() override {
    if (m_worker.joinable()) m_worker.join();
  }
  void StartTimer(int) override { m_started = true; }
  void WatchFolder(const std::string&) override {}
  void RunInBackground(std::function<void()> work) override {
    if (m_worker.joinable()) m_worker.join();
    m_worker = std::thread(std::move(work));
  }
  // Runs the timer when it was started, and again as long as it asks to be, once the work it
  // left to the background has ended; the longest run in milliseconds, or -1 when not started.
  double Run(todo::ToDoDialog& dialog) {
    double longest = -1;
    while (m_started) {
      m_started = false;
      const auto start = std::chrono::steady_clock::now();
      dialog.OnSyncTimer();
      longest = std::max(longest, MillisecondsSince(start));
      if (m_worker.joinable()) m_worker.join();
    }
    return longest;
  }

 private:
  bool m_started = false;
  std::thread m_worker;
};

CQuarnListBox* NewHeadlessBox(const char* name) {
  RECT rect{0, 0, 100, 100};
  return CQuarnListBox::NewQuarnCtrl(nullptr, name, &rect, 0);
}

// The timer save's steps one by one, over an item box of its own showing the long list.
bool TimeSteps(storage::Files& files, const std::string& dataFolder, const std::string& path) {
  todo::ItemSide items;
  items.Attach(static_cast<CQuarnToDoListBox*>(NewHeadlessBox("ToDoItem")));
  storage::ListFileAsRead asRead(ReadFile(path));
  items.Append(asRead, 0);
  std::uint64_t number = 1;
  items.MarkShown(number);
  std::vector<bench::TimerSaveSteps> rounds(kRounds);
  bool ok = true;
  for (bench::TimerSaveSteps& steps : rounds) {
    ok = bench::TimeTimerSave(files, storage::ListFolderLockPath(dataFolder), path, items, &asRead,
                              &number, &steps) &&
         ok;
  }
  bench::PrintSteps(rounds);
  return ok;
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
  HandTimer timer;
  dialog.SetSyncSignals(&timer);
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

    names->Click(1);    // away to a list with no file, for the next round's load
    timer.Run(dialog);  // the tick's timer, run before the next round
  }
  bench::PrintTimes("line_read_ms", reads);
  bench::PrintTimes("load_ms", loads);
  bench::PrintTimes("save_ms", saves);
  bench::PrintTimes("write_ms", writes);

  std::vector<double> timerSaves;
  std::vector<double> looks;
  names->Click(0);
  for (int round = 0; round < kRounds; ++round) {
    const std::string expected = WithFirstItemToggled(ReadFile(bigList));
    tickFirstItem();
    timerSaves.push_back(timer.Run(dialog));
    whole = ReadFile(bigList) == expected && whole;
    // The watch tells of the save's own change: the files are looked at again.
    dialog.OnFolderChanged();
    looks.push_back(timer.Run(dialog));
    whole = ReadFile(bigList) == expected && whole;
  }
  whole = std::min(*std::min_element(timerSaves.begin(), timerSaves.end()),
                   *std::min_element(looks.begin(), looks.end())) >= 0 &&
          whole;
  bench::PrintTimes("timer_save_ms", timerSaves);
  bench::PrintTimes("timer_look_ms", looks);
  whole = TimeSteps(*files, dataFolder, bigList) && whole;
  std::printf("items %d\n", kItems);
  if (!whole) {
    std::fprintf(stderr, "lists_native: a round did not load or save every item as expected\n");
    return 1;
  }
  return 0;
}
