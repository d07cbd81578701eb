// The real ToDoList.dll under Wine, driven as the host and a user drive it (the tests' host,
// tests/support/fake_host.*):
//
//   load/save   a list of 100,000 items loaded into the item box by a click on its name, one
//               item ticked (a list only looked at is not written), and the list saved back by
//               the host's save; beside them, in this program and on the same file, a plain
//               line read (std::getline) as the floor, and the file system's part of a save:
//               the same bytes written to a temporary file, flushed and moved over a file
//               beside the list folder, as the module's saves do
//   open        the tool window opened (from Initialize until it is set up and shown) with
//               20,000 lists in ListInfo.dat, and with none
//
// Prints "name value" lines (milliseconds: the best of several rounds, the median and the
// worst) for scripts/bench.sh; exit code 1 when a round failed.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench_data.h"
#include "bench_timing.h"
#include "lists/window_clock.h"
#include "support/fake_host.h"
#include "support/message_pump.h"
#include "support/tool_window.h"

namespace {

using bench::Now;
using todo_test::FakeHost;
using namespace todo_test::tool_window;

constexpr int kItems = 100000;
constexpr int kLists = 20000;
constexpr int kRounds = 5;

// The bytes of a list file after its first item was ticked or unticked in the window.
std::string WithFirstItemToggled(std::string bytes) {
  bytes[0] = bytes[0] == '0' ? '1' : '0';
  return bytes;
}

// A save's work in the file system alone: write, flush, close and replace.
bool WriteFlushAndReplace(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".bench-tmp";
  HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size() && FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  return ok && MoveFileExA(temporary.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool LoadAndSave() {
  FakeHost host;
  CreateDirectoryA(ListFolder(host).c_str(), nullptr);
  const std::string bigList = ListFolder(host) + "\\big.lst";
  // Outside the watched list folder, so that the window's list is changed only by the window.
  const std::string floorFile = host.dataFolder() + "\\floor.bench";
  const std::string bytes = bench::ItemListFile(kItems);
  WriteFile(ListFolder(host) + "\\ListInfo.dat",
            std::string("big\r\n") + bench::kNoFileListName + "\r\n");
  WriteFile(bigList, bytes);
  if (!host.OpenTool()) {
    std::fprintf(stderr, "tool_window_bench: the tool window did not open\n");
    return false;
  }
  const HWND listBox = BoxAt(host.tool()->m_hWnd, kListBoxCorner);
  const HWND itemBox = BoxAt(host.tool()->m_hWnd, kItemBoxCorner);
  if (listBox == nullptr || itemBox == nullptr) return false;

  std::vector<double> reads;
  std::vector<double> loads;
  std::vector<double> saves;
  std::vector<double> writes;
  bool whole = true;
  for (int round = 0; round < kRounds; ++round) {
    double start = Now();
    whole = bench::ReadLinesWithGetline(bigList) == kItems && whole;
    reads.push_back(Now() - start);

    start = Now();
    Click(listBox, 10, 10);  // the big list's row: the tool thread loads its items
    loads.push_back(Now() - start);

    const std::string expected = WithFirstItemToggled(ReadFile(bigList));
    ::SendMessageA(itemBox, WM_KEYDOWN, VK_HOME, 0);
    ::SendMessageA(itemBox, WM_KEYDOWN, VK_SPACE, 0);  // the first item ticked or unticked
    start = Now();
    whole = host.tool()->SaveState() == 1 && whole;
    saves.push_back(Now() - start);
    whole = ReadFile(bigList) == expected && whole;

    start = Now();
    whole = WriteFlushAndReplace(floorFile, bytes) && whole;
    writes.push_back(Now() - start);

    Click(listBox, 10, 30);  // away to a list with no file, for the next round's load
    // The tick's timer and the look at the folder after the save run now, not in the next
    // round's load.
    todo_test::PumpFor(1500);
  }
  bench::PrintTimes("line_read_ms", reads);
  bench::PrintTimes("load_ms", loads);
  bench::PrintTimes("save_ms", saves);
  bench::PrintTimes("write_ms", writes);
  if (!whole) std::fprintf(stderr, "tool_window_bench: a round lost items\n");
  return host.CloseTool() && whole;
}

// Milliseconds from Initialize until the window is up, with the given list-order file.
double OpenWindow(const std::string& order, bool* ok) {
  FakeHost host;
  CreateDirectoryA(ListFolder(host).c_str(), nullptr);
  WriteFile(ListFolder(host) + "\\ListInfo.dat", order);
  const double start = Now();
  const bool opened = host.OpenTool();
  const double took = Now() - start;
  // Closing writes the names the window holds back: all of them, when all were loaded.
  *ok = opened && host.CloseTool() && ReadFile(ListFolder(host) + "\\ListInfo.dat") == order && *ok;
  return took;
}

bool OpenWindows() {
  const std::string many = bench::ListOrderFile(kLists);
  std::vector<double> none;
  std::vector<double> full;
  bool ok = true;
  OpenWindow("", &ok);  // the first opening loads the modules' pages: not counted
  for (int round = 0; round < kRounds; ++round) {
    none.push_back(OpenWindow("", &ok));
    full.push_back(OpenWindow(many, &ok));
  }
  bench::PrintTimes("open_none_ms", none);
  bench::PrintTimes("open_lists_ms", full);
  std::printf("lists %d\n", kLists);
  if (!ok) std::fprintf(stderr, "tool_window_bench: a window did not open or close\n");
  return ok;
}

}  // namespace

int main() {
  std::printf("items %d\n", kItems);
  const bool loaded = LoadAndSave();
  const bool opened = OpenWindows();
  return loaded && opened ? 0 : 1;
}
