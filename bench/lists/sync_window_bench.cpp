// The real ToDoList.dll under Wine: how soon a change made in the tool window is on disk, and
// how long the window's thread is blocked by the save that brings it there, driven as the host
// and a user drive it (the tests' host, tests/support/fake_host.*).
//
//   change to disk   100 changes made one after the other in the window, each as a user makes
//                    it (a list added, an item added to it, that item ticked), each waited for
//                    until it is in its file (write_watch.h) before the next is made, so that
//                    every change is saved on its own: the time from the click or key to the
//                    file holding the change
//   save block       one item of a list of 100,000 items ticked, and then the window's answer
//                    times (answer_pinger.h) across the save its timer runs a second later and
//                    the look at the files that the save's own change notice brings after it;
//                    beside them, the save's steps run one by one in this program on the same
//                    kind of file and a real item box (timer_save_steps.h)
//
// Prints "name value..." lines (milliseconds) for scripts/bench.sh; exit code 1 when a change
// did not reach its file or a round failed.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench_data.h"
#include "bench_timing.h"
#include "dialog/item_side.h"
#include "lists/answer_pinger.h"
#include "lists/timer_save_steps.h"
#include "lists/window_clock.h"
#include "lists/write_watch.h"
#include "storage/files.h"
#include "storage/paths.h"
#include "support/fake_host.h"
#include "support/message_pump.h"
#include "support/tool_window.h"

namespace {

using bench::Now;
using todo_test::FakeHost;
using todo_test::PumpFor;
using todo_test::PumpUntil;
using namespace todo_test::tool_window;

constexpr int kChanges = 100;
constexpr int kItems = 100000;
constexpr int kRounds = 7;
// How long the window's answers are followed after its save was seen: the look at the files
// that the save's change notice brings comes 200 ms after it.
constexpr double kFollowMs = 1500;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Prints "name median worst best".
void PrintSpread(const char* name, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::printf("%s %.1f %.1f %.1f\n", name, values[values.size() / 2], values.back(),
              values.front());
  std::fflush(stdout);
}

std::string ListFile(const FakeHost& host, const std::string& name) {
  return ListFolder(host) + "\\" + name + ".lst";
}

std::string OrderFile(const FakeHost& host) {
  return ListFolder(host) + "\\ListInfo.dat";
}

void Press(HWND tool, int control) {
  ::SendMessageA(GetDlgItem(tool, control), BM_CLICK, 0, 0);
}

void Key(HWND box, WPARAM key) {
  ::SendMessageA(box, WM_KEYDOWN, key, 0);
}

// The milliseconds from `act` until the file at `path` holds what `expected` looks for; -1
// when it did not within ten seconds.
template <typename Act>
double TimeToDisk(const std::string& path, std::function<bool(const std::string&)> expected,
                  Act act) {
  bench::WriteWatch watch(path, std::move(expected));
  const double start = Now();
  act();
  if (!PumpUntil([&] { return watch.Seen(); }, 10000)) return -1;
  return watch.SeenAt() - start;
}

bool ChangesToDisk() {
  FakeHost host;
  CreateDirectoryA(ListFolder(host).c_str(), nullptr);
  WriteFile(OrderFile(host), "first\r\n");
  WriteFile(ListFile(host, "first"), "0,2026,12,1,one\r\n");
  if (!host.OpenTool()) {
    std::fprintf(stderr, "sync_window_bench: the tool window did not open\n");
    return false;
  }
  const HWND tool = host.tool()->m_hWnd;
  const HWND itemBox = BoxAt(tool, kItemBoxCorner);
  if (itemBox == nullptr) return false;

  const char* const kinds[] = {"list_added", "item_added", "item_ticked"};
  std::vector<double> all;
  std::vector<double> byKind[3];
  std::string shown;
  bool ok = true;
  for (int change = 0; change < kChanges && ok; ++change) {
    const int kind = change % 3;
    const std::string text = "bench " + std::to_string(change);
    double took = -1;
    if (kind == 0) {
      // A new list goes to the top and is selected; its name reaches the list-order file.
      shown = text;
      Press(tool, kListModeButton);
      ::SetWindowTextA(GetDlgItem(tool, kTextBox), text.c_str());
      const std::string line = text + "\r\n";
      took = TimeToDisk(
          OrderFile(host),
          [line](const std::string& bytes) { return bytes.find(line) != std::string::npos; },
          [&] { Press(tool, kAdd); });
    } else if (kind == 1) {
      Press(tool, kItemModeButton);
      ::SetWindowTextA(GetDlgItem(tool, kTextBox), text.c_str());
      const std::string tail = "," + text + "\r\n";
      took = TimeToDisk(
          ListFile(host, shown),
          [tail](const std::string& bytes) { return bytes.find(tail) != std::string::npos; },
          [&] { Press(tool, kAdd); });
    } else {
      Key(itemBox, VK_HOME);  // the item just added, at the top
      took = TimeToDisk(
          ListFile(host, shown),
          [](const std::string& bytes) { return bytes.compare(0, 2, "1,") == 0; },
          [&] { Key(itemBox, VK_SPACE); });
    }
    ok = took >= 0;
    if (!ok) std::fprintf(stderr, "sync_window_bench: change %d never reached its file\n", change);
    all.push_back(took);
    byKind[kind].push_back(took);
    PumpFor(100);  // a pause before the next change, as between a user's changes
  }
  if (ok) {
    PrintSpread("change_to_disk_ms", all);
    for (int kind = 0; kind < 3; ++kind) {
      PrintSpread(("change_to_disk_" + std::string(kinds[kind]) + "_ms").c_str(), byKind[kind]);
    }
    std::printf("changes %d\n", kChanges);
  }
  return host.CloseTool() && ok;
}

// The ping that was waiting for an answer at `at` (or was answered a millisecond before it),
// the longest if there are two; null when none was.
const bench::Ping* WaitingAt(const std::vector<bench::Ping>& pings, double at) {
  const bench::Ping* waiting = nullptr;
  for (const bench::Ping& ping : pings) {
    if (ping.sent <= at && ping.answered >= at - 1 &&
        (waiting == nullptr || ping.Took() > waiting->Took())) {
      waiting = &ping;
    }
  }
  return waiting;
}

// The longest answer among the pings sent at `from` or later.
double LongestSentFrom(const std::vector<bench::Ping>& pings, double from) {
  double longest = 0;
  for (const bench::Ping& ping : pings) {
    if (ping.sent >= from) longest = std::max(longest, ping.Took());
  }
  return longest;
}

// The bytes of a list file after its first item was ticked or unticked in the window.
std::string WithFirstItemToggled(std::string bytes) {
  bytes[0] = bytes[0] == '0' ? '1' : '0';
  return bytes;
}

bool SaveBlocks() {
  FakeHost host;
  CreateDirectoryA(ListFolder(host).c_str(), nullptr);
  WriteFile(OrderFile(host), "big\r\n");
  WriteFile(ListFile(host, "big"), bench::ItemListFile(kItems));
  if (!host.OpenTool()) return false;
  const HWND tool = host.tool()->m_hWnd;
  const HWND listBox = BoxAt(tool, kListBoxCorner);
  const HWND itemBox = BoxAt(tool, kItemBoxCorner);
  if (listBox == nullptr || itemBox == nullptr) return false;
  Click(listBox, 10, 10);  // the big list, loaded
  PumpFor(500);

  std::vector<double> longest;
  std::vector<double> saves;
  std::vector<double> looks;
  std::vector<double> answers;
  bool ok = true;
  for (int round = 0; round < kRounds && ok; ++round) {
    const std::string expected = WithFirstItemToggled(ReadFile(ListFile(host, "big")));
    Key(itemBox, VK_HOME);
    bench::WriteWatch watch(ListFile(host, "big"),
                            [&expected](const std::string& bytes) { return bytes == expected; });
    Key(itemBox, VK_SPACE);  // one item ticked: the timer saves a second later
    bench::AnswerPinger pinger(tool);
    ok = PumpUntil([&] { return watch.Seen(); }, 10000);
    PumpUntil([&] { return Now() > watch.SeenAt() + kFollowMs; }, 10000);
    const std::vector<bench::Ping>& pings = pinger.Stop();
    if (!ok || pings.empty()) break;
    // The save is the block the window was in when the file was replaced; the look at the
    // folder, the longest one after it.
    const bench::Ping* save = WaitingAt(pings, watch.SeenAt());
    saves.push_back(save != nullptr ? save->Took() : 0);
    looks.push_back(save != nullptr ? LongestSentFrom(pings, save->answered) : 0);
    longest.push_back(LongestSentFrom(pings, 0));
    for (const bench::Ping& ping : pings) answers.push_back(ping.Took());
  }
  if (!ok) std::fprintf(stderr, "sync_window_bench: a tick never reached the long list's file\n");
  if (ok) {
    PrintSpread("save_block_ms", longest);
    PrintSpread("save_block_save_ms", saves);
    PrintSpread("save_block_look_ms", looks);
    std::printf("answer_ms %.2f %zu\n", Median(answers), answers.size());
    std::fflush(stdout);
  }
  return host.CloseTool() && ok;
}

// A hidden window for the item box of the steps, destroyed when it goes.
class HiddenWindow {
 public:
  HiddenWindow()
      : m_hwnd(CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 600, 400, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr)) {}
  ~HiddenWindow() {
    if (m_hwnd != nullptr) DestroyWindow(m_hwnd);
  }
  HiddenWindow(const HiddenWindow&) = delete;
  HiddenWindow& operator=(const HiddenWindow&) = delete;
  HWND Get() const { return m_hwnd; }

 private:
  HWND m_hwnd;
};

// The timer save's steps one by one, in this program's thread, over a real item box.
bool SaveSteps() {
  FakeHost host;  // only for a data folder of its own
  CreateDirectoryA(ListFolder(host).c_str(), nullptr);
  const std::string path = ListFile(host, "big");
  WriteFile(path, bench::ItemListFile(kItems));
  std::unique_ptr<storage::Files> files = storage::NewPlatformFiles();
  HiddenWindow parent;
  RECT rect = {0, 0, 500, 300};
  todo::ItemSide items;
  items.Attach(static_cast<CQuarnToDoListBox*>(
      CQuarnListBox::NewQuarnCtrl(parent.Get(), "ToDoItem", &rect, 0)));
  if (!items.HasBox()) return false;
  storage::ListFileAsRead asRead(ReadFile(path));
  items.Append(asRead, 0);
  std::uint64_t number = 1;
  items.MarkShown(number);
  std::vector<bench::TimerSaveSteps> rounds(kRounds);
  bool ok = true;
  for (bench::TimerSaveSteps& steps : rounds) {
    ok = bench::TimeTimerSave(*files, storage::ListFolderLockPath(host.dataFolder()), path, items,
                              &asRead, &number, &steps) &&
         ok;
  }
  bench::PrintSteps(rounds);
  if (!ok) std::fprintf(stderr, "sync_window_bench: a step of the save failed\n");
  return ok;
}

}  // namespace

int main() {
  std::printf("items %d\n", kItems);
  const bool blocks = SaveBlocks();
  const bool steps = SaveSteps();
  const bool changes = ChangesToDisk();
  return blocks && steps && changes ? 0 : 1;
}
