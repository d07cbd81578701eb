// The chaos walk itself: the data folder and the files around it that the tool must leave
// alone, the crash and hang reports with the latest steps, the model kept in step with the
// window opening and closing, and the weighted choice of each step from the seeded source.

#include "chaos/chaos_walk.h"

#include <cstdio>
#include <iterator>

#include "support/tool_facts.h"

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
  m_outer = m_scratch.Path();
  m_data = m_outer + "\\data";
  m_listFolder = m_data + "\\ToDoList";
  for (const std::string& folder :
       {m_data, m_listFolder, m_listFolder + "\\sub", m_listFolder + "\\ab\x80",
        m_listFolder + "\\\x80", m_listFolder + "\\\x81\x81"}) {
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << Shown(folder);
  }
  // Where the escaping names would lead if they were taken as paths, files that must stay as
  // they are; were one loaded, its item would show and be saved back somewhere.
  const std::pair<std::string, std::string> outside[] = {
      {m_outer + "\\escape.lst", "0,2026,1,1,outside escape\r\n"},
      {m_outer + "\\keep.txt", "the data folder's parent\r\n"},
      {m_data + "\\up1.lst", "0,2026,1,1,outside up1\r\n"},
      {m_data + "\\fwd.lst", "0,2026,1,1,outside fwd\r\n"},
      {m_data + "\\host.ini", "[host]\r\n"},
      {m_listFolder + "\\sub\\x.lst", "0,2026,1,1,inside sub\r\n"},
      {m_listFolder + "\\ab\x80\\cd.lst", "0,2026,1,1,behind 0x80\r\n"},
      {m_listFolder + "\\\x80\\x.lst", "0,2026,1,1,behind a lone 0x80\r\n"},
      {m_listFolder + "\\\x81\x81\\x.lst", "0,2026,1,1,behind a double-byte character\r\n"},
  };
  for (const auto& file : outside) ASSERT_TRUE(chaos::WriteBytes(file.first, file.second));

  auto seed = [&](const std::string& name, bool noDate, std::vector<Item> items) {
    for (Item& item : items) item.id = ++m_model.lastId;
    StoredList list{name, noDate, std::move(items)};
    ASSERT_TRUE(chaos::WriteBytes(m_listFolder + "\\" + name + ".lst", FileBytes(list)));
    m_model.files[Folded(name)] = list;
  };
  seed("work", false, {{0, {2026, 12, 8}, "call"}, {1, {2026, 12, 9}, "milk"}});
  seed("home", true, {{0, {2027, 1, 2}, "cook"}});
  seed("ソ表", false, {{0, {2025, 3, 31}, "電話する"}});
  seed("orphan", false, {{0, {2026, 1, 1}, "not a list"}});  // a file that no list names
  // "ghost" has no file: it loads as an empty dated list.
  // The lists, each followed by an escaping name, then the other escaping names.
  const char* lists[] = {"work", "home", "ghost", "ソ表"};
  std::vector<std::string> names(std::begin(todo_test::tool::kEscapingNames),
                                 std::end(todo_test::tool::kEscapingNames));
  for (int i = 0; i < 4; ++i) names.insert(names.begin() + 2 * i, lists[i]);
  m_model.order = OrderBytes(names);
  ASSERT_TRUE(chaos::WriteBytes(m_listFolder + "\\ListInfo.dat", m_model.order));
  m_model.folderPathBytes = m_listFolder.size() + 1;
  chaos::AddTree(m_outer, "", m_listFolder, &m_outsideBefore);

  g_previousFilter = SetUnhandledExceptionFilter(&ReportStepsOfCrash);
  m_watchdog = std::thread([this] {
    while (!m_stopWatchdog) {
      Sleep(200);
      const DWORD deadline = g_stepDeadline;
      if (deadline != 0 && static_cast<LONG>(GetTickCount() - deadline) > 0) {
        std::fprintf(stderr, "the chaos walk hangs; its last steps:\n%s\n", g_lastSteps);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 4);
      }
    }
  });

  m_host = std::make_unique<todo_test::FakeHost>(m_data);
  ASSERT_NE(nullptr, m_host->tool());
  ASSERT_TRUE(m_host->Initialize(true, 10000));
  ModelOpened();
}

void HostChaos::TearDown() {
  g_stepDeadline = GetTickCount() + 60000;
  m_barrier.Detach();
  m_host.reset();
  if (m_toolThreadHandle) CloseHandle(m_toolThreadHandle);
  g_stepDeadline = 0;
  m_stopWatchdog = true;
  if (m_watchdog.joinable()) m_watchdog.join();
  SetUnhandledExceptionFilter(g_previousFilter);
}

void HostChaos::ModelOpened() {
  m_model.Opened();
  HWND tool = Tool();
  ASSERT_NE(nullptr, tool);
  m_toolThread = GetWindowThreadProcessId(tool, nullptr);
  if (m_toolThreadHandle) CloseHandle(m_toolThreadHandle);
  m_toolThreadHandle = OpenThread(SYNCHRONIZE, FALSE, m_toolThread);
  ASSERT_TRUE(m_barrier.Attach(m_toolThread));
  m_listBox = BoxAt(tool, kListBoxCorner);
  m_itemBox = BoxAt(tool, kItemBoxCorner);
  ASSERT_NE(nullptr, m_listBox);
  ASSERT_NE(nullptr, m_itemBox);
  // The date picker starts at today.
  SYSTEMTIME today;
  GetLocalTime(&today);
  m_model.picker = Date{today.wYear, today.wMonth, today.wDay};
}

// Whatever is open ends as No, Cancel or given up; the current list is saved, then the list
// order.
void HostChaos::ModelClosed() {
  m_box.reset();
  m_settingsOpen = false;
  m_editor.reset();
  m_model.SaveShown();
  m_model.SaveNames();
  m_model.open = false;
}

void HostChaos::Note(const std::string& what) {
  const char* open = m_box            ? " [a message box is open]"
                     : m_settingsOpen ? " [the settings dialog is open]"
                     : m_editor       ? " [an editor is open]"
                                      : "";
  m_history.push_back("step " + std::to_string(m_step) + ": " + what +
                      (what[0] == ' ' ? "" : open));
  while (m_history.size() > 30) m_history.pop_front();
  std::string all;
  for (const std::string& line : m_history) all += Shown(line) + "\n";
  std::snprintf(g_lastSteps, sizeof(g_lastSteps), "%s", all.c_str());
}

void HostChaos::Step() {
  // Host steps: any time the window is open, closes above all while something is open on it.
  auto host = [&](int closes) -> std::vector<Choice> {
    return {{6, [&] { HostSaveState(); }},   {3, [&] { HostSearch(); }},
            {closes, [&] { HostClose(0); }}, {closes, [&] { HostClose(1); }},
            {2, [&] { HostInitialize(); }},  {closes, [&] { HostReplaceTool(); }}};
  };
  auto with = [&](int closes, std::vector<Choice> own) {
    for (auto& choice : host(closes)) own.push_back(choice);
    Choose(own);
  };
  if (!m_model.open) {
    Choose({{12, [&] { HostInitialize(); }},
            {2, [&] { HostReplaceTool(); }},
            {2, [&] { HostSaveState(); }},
            {1, [&] { HostSearch(); }},
            {3, [&] { OutsideWrite(); }},
            // Most likely at the first close of a walk, seldom after: it takes seconds.
            {m_kills == 0 ? 24 : 1, [&] { KillAnotherHost(); }}});
  } else if (m_box) {
    with(3, {{36, [&] { AnswerBox(); }}, {3, [&] { HostSettings(); }}});
  } else if (m_settingsOpen) {
    with(3, {{25, [&] { CloseSettings(); }}, {2, [&] { HostSettings(); }}});
  } else if (m_editor) {
    with(3, {{22, [&] { EndEditor(0); }},
             {8, [&] { EndEditor(1); }},
             {12, [&] { EndEditor(2); }},
             {3, [&] { HostClose(2); }}});
  } else {
    with(1, {{10, [&] { TypeText(); }},
             {3, [&] { PickDate(); }},
             {5, [&] { ClickModeButton(Pick(2) == 0); }},
             {2, [&] { ToggleNoDate(); }},
             {12, [&] { AddEntry(Pick(2) == 0); }},
             {10, [&] { AddItemToAList(); }},
             {6, [&] { Move(Pick(2) == 0 ? -1 : 1); }},
             {7, [&] { Remove(false); }},
             {2, [&] { Remove(true); }},
             {12, [&] { ClickRandomRow(true); }},
             {12, [&] { ClickRandomRow(false); }},
             {8, [&] { StartEditWithF2(Pick(3) == 0); }},
             {2, [&] { EscapeInTextBox(); }},
             {3, [&] { HostSettings(); }},
             {1, [&] { HostClose(2); }},
             // Above all while the window holds changes not saved yet.
             {m_model.ShownUnsaved() ? 30 : 14, [&] { OutsideWrite(); }},
             {1, [&] { Pause(); }}});
  }
}

void HostChaos::Walk(unsigned seed, int steps) {
  m_random.seed(seed);
  for (m_step = 0; m_step < steps && !HasFailure(); ++m_step) {
    g_stepDeadline = GetTickCount() + 45000;
    Step();
    if (HasFailure()) break;
    m_model.RememberWindow();
    Check();
  }
  if (!HasFailure() && m_model.open) {
    ++m_step;
    HostClose(0);
    Check();
  }
  g_stepDeadline = 0;
  if (HasFailure()) ADD_FAILURE() << "seed " << seed << ", the last steps:\n" << g_lastSteps;
}

}  // namespace chaos
