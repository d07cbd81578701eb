// The chaos walk itself: the data folder and the files around it that the tool must leave
// alone, the crash and hang reports with the latest steps, the model kept in step with the
// window opening and closing, and the weighted choice of each step from the seeded source.

#include "chaos/chaos_walk.h"

#include <cstdio>

#include "chaos/chaos_text.h"

namespace chaos {
namespace {

// What a crash or a hang reports: the walk's latest steps, newest last.
char g_lastSteps[8192] = "";
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
std::atomic<DWORD> g_stepDeadline{0};

LONG WINAPI ReportStepsOfCrash(EXCEPTION_POINTERS* info) {
  std::fprintf(stderr, "crash in the chaos walk; its last steps:\n%s\n", g_lastSteps);
  std::fflush(stderr);
  return g_previousFilter ? g_previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

using todo_test::tool_window::BoxAt;
using todo_test::tool_window::FocusOfThread;
using todo_test::tool_window::kItemBoxCorner;
using todo_test::tool_window::kListBoxCorner;

void HostChaos::SetUp() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  outer_ = std::string(temp) + "todo-chaos-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount());
  data_ = outer_ + "\\data";
  listFolder_ = data_ + "\\ToDoList";
  for (const std::string& folder :
       {outer_, data_, listFolder_, listFolder_ + "\\sub", listFolder_ + "\\ab\x80"}) {
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << Shown(folder);
  }
  // Where the escaping names would lead if they were taken as paths, files that must stay as
  // they are; were one loaded, its item would show and be saved back somewhere.
  const std::pair<std::string, std::string> outside[] = {
      {outer_ + "\\escape.lst", "0,2026,1,1,outside escape\r\n"},
      {outer_ + "\\keep.txt", "the data folder's parent\r\n"},
      {data_ + "\\up1.lst", "0,2026,1,1,outside up1\r\n"},
      {data_ + "\\fwd.lst", "0,2026,1,1,outside fwd\r\n"},
      {data_ + "\\host.ini", "[host]\r\n"},
      {listFolder_ + "\\sub\\x.lst", "0,2026,1,1,inside sub\r\n"},
      {listFolder_ + "\\ab\x80\\cd.lst", "0,2026,1,1,behind 0x80\r\n"},
  };
  for (const auto& file : outside) ASSERT_TRUE(chaos::WriteBytes(file.first, file.second));

  auto seed = [&](const std::string& name, bool noDate, std::vector<Item> items) {
    StoredList list{name, noDate, std::move(items)};
    ASSERT_TRUE(chaos::WriteBytes(listFolder_ + "\\" + name + ".lst", FileBytes(list)));
    model_.files[Folded(name)] = list;
  };
  seed("work", false, {{0, {2026, 12, 8}, "call"}, {1, {2026, 12, 9}, "milk"}});
  seed("home", true, {{0, {2027, 1, 2}, "cook"}});
  seed("\x83\x5C\x95\x5C", false, {{0, {2025, 3, 31}, "電話する"}});
  seed("orphan", false, {{0, {2026, 1, 1}, "not a list"}});  // a file that no list names
  // "ghost" has no file: it loads as an empty dated list.
  const std::vector<std::string> order = {
      "work", "..\\..\\escape", "home",   "..\\up1", "ghost", "../fwd", "\x83\x5C\x95\x5C", "sub/x",
      "CON",  "ab\x80\\cd",     "nul.old"};
  for (const std::string& name : order) model_.order += name + "\r\n";
  ASSERT_TRUE(chaos::WriteBytes(listFolder_ + "\\ListInfo.dat", model_.order));
  chaos::AddTree(outer_, "", listFolder_, &outsideBefore_);

  g_previousFilter = SetUnhandledExceptionFilter(&ReportStepsOfCrash);
  watchdog_ = std::thread([this] {
    while (!stopWatchdog_) {
      Sleep(200);
      const DWORD deadline = g_stepDeadline;
      if (deadline != 0 && static_cast<LONG>(GetTickCount() - deadline) > 0) {
        std::fprintf(stderr, "the chaos walk hangs; its last steps:\n%s\n", g_lastSteps);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 4);
      }
    }
  });

  host_ = std::make_unique<chaos::ChaosHost>(data_);
  ASSERT_TRUE(host_->NewTool());
  ASSERT_TRUE(host_->Initialize(true));
  ModelOpened();
}

void HostChaos::TearDown() {
  g_stepDeadline = GetTickCount() + 60000;
  barrier_.Detach();
  host_.reset();
  if (toolThreadHandle_) CloseHandle(toolThreadHandle_);
  g_stepDeadline = 0;
  stopWatchdog_ = true;
  if (watchdog_.joinable()) watchdog_.join();
  SetUnhandledExceptionFilter(g_previousFilter);
  // The tool makes the data folder the current one; let go of it before removing it.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  SetCurrentDirectoryA(temp);
  chaos::RemoveTree(outer_);
}

void HostChaos::SaveShown() {
  if (model_.selected < 0 || !model_.rows[model_.selected].hasFile) return;
  const std::string& name = model_.rows[model_.selected].name;
  StoredList& file = model_.files[Folded(name)];
  if (file.name.empty()) file.name = name;
  file.noDate = model_.shownNoDate;
  file.items = model_.shown;
}

void HostChaos::LoadSelected() {
  model_.shown.clear();
  model_.itemSelected = -1;
  const Row& row = model_.rows[model_.selected];
  if (!row.hasFile) return;  // never opened: nothing is loaded
  auto it = model_.files.find(Folded(row.name));
  model_.shownNoDate = it != model_.files.end() && it->second.noDate;
  if (it != model_.files.end()) model_.shown = it->second.items;
  if (model_.listMode) model_.noDateBox = model_.shownNoDate;
}

// A press in a box, or the mode button: the entry row switches and the text box empties.
void HostChaos::ActivateNames() {
  model_.listMode = true;
  model_.text.clear();
  model_.noDateBox = false;
}

void HostChaos::ActivateItems() {
  model_.listMode = false;
  model_.text.clear();
}

void HostChaos::ModelOpened() {
  model_.open = true;
  model_.rows.clear();
  std::string rest = model_.order;
  for (std::size_t end; (end = rest.find("\r\n")) != std::string::npos; rest.erase(0, end + 2)) {
    const std::string name = rest.substr(0, end);
    if (!name.empty()) model_.rows.push_back({name, !IsEscapingName(name)});
  }
  model_.selected = -1;
  model_.shown.clear();
  model_.itemSelected = -1;
  model_.listMode = true;
  model_.noDateBox = false;
  model_.text.clear();
  HWND tool = Tool();
  ASSERT_NE(nullptr, tool);
  toolThread_ = GetWindowThreadProcessId(tool, nullptr);
  if (toolThreadHandle_) CloseHandle(toolThreadHandle_);
  toolThreadHandle_ = OpenThread(SYNCHRONIZE, FALSE, toolThread_);
  ASSERT_TRUE(barrier_.Attach(toolThread_));
  listBox_ = BoxAt(tool, kListBoxCorner);
  itemBox_ = BoxAt(tool, kItemBoxCorner);
  ASSERT_NE(nullptr, listBox_);
  ASSERT_NE(nullptr, itemBox_);
  // The date picker starts at today.
  SYSTEMTIME today;
  GetLocalTime(&today);
  model_.picker = Date{today.wYear, today.wMonth, today.wDay};
}

// Whatever is open ends as No, Cancel or given up; the current list is saved, then the list
// order is written.
void HostChaos::ModelClosed() {
  box_.reset();
  settingsOpen_ = false;
  editor_.reset();
  SaveShown();
  model_.order.clear();
  for (const Row& row : model_.rows) model_.order += row.name + "\r\n";
  model_.open = false;
}

void HostChaos::Note(const std::string& what) {
  const char* open = box_            ? " [a message box is open]"
                     : settingsOpen_ ? " [the settings dialog is open]"
                     : editor_       ? " [an editor is open]"
                                     : "";
  history_.push_back("step " + std::to_string(step_) + ": " + what + (what[0] == ' ' ? "" : open));
  while (history_.size() > 30) history_.pop_front();
  std::string all;
  for (const std::string& line : history_) all += Shown(line) + "\n";
  std::snprintf(g_lastSteps, sizeof(g_lastSteps), "%s", all.c_str());
}

void HostChaos::Choose(const std::vector<std::pair<int, std::function<void()>>>& choices) {
  int total = 0;
  for (const auto& choice : choices) total += choice.first;
  int at = Pick(total);
  for (const auto& choice : choices) {
    if (at < choice.first) {
      choice.second();
      return;
    }
    at -= choice.first;
  }
}

void HostChaos::Step() {
  // Host steps: any time the window is open, closes above all while something is open on it.
  auto host = [&](int closes) -> std::vector<std::pair<int, std::function<void()>>> {
    return {{6, [&] { HostSaveState(); }},   {3, [&] { HostSearch(); }},
            {closes, [&] { HostClose(0); }}, {closes, [&] { HostClose(1); }},
            {2, [&] { HostInitialize(); }},  {closes, [&] { HostReplaceTool(); }}};
  };
  auto with = [&](int closes, std::vector<std::pair<int, std::function<void()>>> own) {
    for (auto& choice : host(closes)) own.push_back(choice);
    Choose(own);
  };
  if (!model_.open) {
    Choose({{12, [&] { HostInitialize(); }},
            {2, [&] { HostReplaceTool(); }},
            {2, [&] { HostSaveState(); }},
            {1, [&] { HostSearch(); }}});
  } else if (box_) {
    with(3, {{36, [&] { AnswerBox(); }}, {3, [&] { HostSettings(); }}});
  } else if (settingsOpen_) {
    with(3, {{25, [&] { CloseSettings(); }}, {2, [&] { HostSettings(); }}});
  } else if (editor_) {
    with(3, {{22, [&] { CommitEditor(false); }},
             {8, [&] { CommitEditor(true); }},
             {12, [&] { CancelEditor(); }},
             {3, [&] { HostClose(2); }}});
  } else {
    with(1, {{10, [&] { TypeText(); }},
             {3, [&] { PickDate(); }},
             {5, [&] { ClickModeButton(Pick(2) == 0); }},
             {2, [&] { ToggleNoDate(); }},
             {12, [&] { AddEntry(Pick(2) == 0); }},
             {10, [&] { AddItemToAList(); }},
             {6, [&] { Move(Pick(2) == 0 ? -1 : 1); }},
             {7, [&] { DeleteEntry(); }},
             {2, [&] { ClearBox(); }},
             {12, [&] { ClickListRow(); }},
             {12, [&] { ClickItemRow(); }},
             {8, [&] { StartEditWithF2(Pick(3) == 0); }},
             {2, [&] { EscapeInTextBox(); }},
             {3, [&] { HostSettings(); }},
             {1, [&] { HostClose(2); }}});
  }
}

void HostChaos::Walk(unsigned seed, int steps) {
  random_.seed(seed);
  for (step_ = 0; step_ < steps && !HasFailure(); ++step_) {
    g_stepDeadline = GetTickCount() + 45000;
    Step();
    if (HasFailure()) break;
    Check();
  }
  if (!HasFailure() && model_.open) {
    ++step_;
    HostClose(0);
    Check();
  }
  g_stepDeadline = 0;
  if (HasFailure()) {
    std::string last;
    for (const std::string& line : history_) last += Shown(line) + "\n";
    ADD_FAILURE() << "seed " << seed << ", the last steps:\n" << last;
  }
}

}  // namespace chaos
