// The real tool driven by a host and a user at once, from a fixed seed: host calls (saves,
// searches, the settings, closes of every kind, Initialize again, a new tool object) arrive
// between the user's clicks and keys, also while a message box, the settings dialog or an
// in-place editor is open. After every step the window, its modal boxes and every file must
// be what a model of the user's actions and the saves says: nothing lost or duplicated, no
// list's items in another's file, no file outside the list folder made, changed or removed,
// and no crash.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "chaos/chaos_host.h"
#include "chaos/folder_tree.h"
#include "support/tool_window.h"

namespace {

using chaos::FileTree;
using testsupport::tool_window::BoxAt;
using testsupport::tool_window::FocusOfThread;
using testsupport::tool_window::kItemBoxCorner;
using testsupport::tool_window::kListBoxCorner;

constexpr int kTextBox = 1064;
constexpr int kDatePicker = 1073;
constexpr int kNoDateBox = 1165;
constexpr int kListModeButton = 6000;
constexpr int kItemModeButton = 6001;
constexpr int kAdd = 1065;
constexpr int kAddAtBottom = 1066;
constexpr int kUp = 1076;
constexpr int kDown = 1077;
constexpr int kDelete = 1078;
constexpr int kClear = 1079;

// Geometry of the boxes in their client areas: list rows 20 pixels high from the top; item
// rows 18 pixels high under an 18-pixel header, columns check (36), text (320), date.
constexpr int kNameRowHeight = 20;
constexpr int kItemRowHeight = 18;
constexpr int kItemHeader = 18;
constexpr int kCheckX = 18;
constexpr int kTextX = 120;
constexpr int kDateX = 390;
// Kept below what the boxes show without scrolling, so that a row is where it was drawn.
constexpr int kMostLists = 17;
constexpr int kMostItems = 24;

const char kEnterListName[] = "登録するリスト名を入力して下さい！";
const char kBadListName[] =
    "リスト名として適切ではありません。\nファイル名に使用できない文字は使用できません。"
    "（\\/:*?\"<>|）";
const char kListExists[] = "その名前のリストは既に登録されています！";
const char kCannotCreate[] = "リストを新規作成できませんでした！";
const char kNoListSelected[] =
    "アイテムを登録できません。\nリストを、選択するか新規登録して下さい。";
const char kEnterItem[] = "登録するアイテムを入力して下さい！";
const char kDeleteList[] =
    "選択されたリストを削除します！\nリストを削除するとこのリストに登録されているアイテムも全て"
    "消えてしまいます。\n本当によろしいですか？";
const char kDeleteItem[] = "選択されたアイテムを削除します。\nよろしいですか？";
const char kClearLists[] = "全てのリストリストを削除しようとしています！\n本当によろしいですか？";
const char kClearItems[] = "リストに登録されているアイテムを全て削除します。\nよろしいですか？";
const char kDuplicateName[] = "同じ名前のリストは既に登録されています！";
const char kListNotStorable[] =
    "アイテムを登録できません。\nこのリストはファイルに保存できません。";

// What the list-name rules make of a name the user types.
enum class NameKind { kGood, kRefused, kHidesSeparator };

// Names in the list-order file that name no file directly inside the list folder: up and out
// of it in both separators, into a folder of it, a device, and a backslash after the byte 0x80
// (which code page 932 does not take for the first of two bytes, though the list-name check
// does).
struct EscapingName {
  std::string name;
  NameKind kind;  // when typed, in any letter case
};
const std::vector<EscapingName> kEscapingNames = {
    {"..\\..\\escape", NameKind::kRefused},
    {"..\\up1", NameKind::kRefused},
    {"../fwd", NameKind::kRefused},
    {"sub/x", NameKind::kRefused},
    {"CON", NameKind::kRefused},
    {"ab\x80\\cd", NameKind::kHidesSeparator},
    {"nul.old", NameKind::kRefused},
};

bool IsEscapingName(const std::string& name) {
  for (const EscapingName& escaping : kEscapingNames) {
    if (escaping.name == name) return true;
  }
  return false;
}

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// A name as Windows compares file names: ASCII letters without their case, double-byte
// characters as they are.
std::string Folded(const std::string& name) {
  std::string folded = name;
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(folded[i]);
    if (IsLeadByte(byte)) {
      ++i;
    } else if (byte >= 'a' && byte <= 'z') {
      folded[i] = static_cast<char>(byte - 'a' + 'A');
    }
  }
  return folded;
}

// What a new list's name or item's text takes from the text box: each line break one space.
std::string AsOneLine(const std::string& typed) {
  std::string line;
  for (std::size_t i = 0; i < typed.size(); ++i) {
    if (typed[i] == '\r' && i + 1 < typed.size() && typed[i + 1] == '\n') continue;
    line += typed[i] == '\n' ? ' ' : typed[i];
  }
  return line;
}

// What an in-place edit stores: line breaks and tabs become spaces.
std::string AsEdited(std::string typed) {
  for (char& c : typed) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  return typed;
}

// Bytes shown readably in failure messages: control bytes and 0x80 escaped, the rest turned
// from code page 932 into UTF-8 for the console.
std::string Shown(const std::string& bytes) {
  std::string escaped;
  bool trail = false;
  for (unsigned char c : bytes) {
    const bool isTrail = trail;
    trail = !trail && IsLeadByte(c);
    if (isTrail) {
      escaped += static_cast<char>(c);
    } else if (c == '\r') {
      escaped += "\\r";
    } else if (c == '\n') {
      escaped += "\\n";
    } else if (c < 0x20 || c == 0x80) {
      char hex[8];
      std::snprintf(hex, sizeof(hex), "\\x%02X", c);
      escaped += hex;
    } else {
      escaped += static_cast<char>(c);
    }
  }
  const int wide =
      MultiByteToWideChar(932, 0, escaped.data(), static_cast<int>(escaped.size()), nullptr, 0);
  if (wide <= 0) return escaped;
  std::wstring text(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(932, 0, escaped.data(), static_cast<int>(escaped.size()), &text[0], wide);
  const int narrow =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(narrow), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), wide, &out[0], narrow, nullptr, nullptr);
  return out;
}

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

struct Date {
  int year;
  int month;
  int day;
};

const Date kDates[] = {{2026, 12, 7}, {2026, 12, 8}, {2027, 1, 1}, {2025, 3, 31}};

struct Item {
  int check;
  Date due;
  std::string text;
};

// A list file as the model knows it.
struct StoredList {
  std::string name;  // as the list that made it was named
  bool noDate = false;
  std::vector<Item> items;
};

std::string FileBytes(const StoredList& list) {
  std::string bytes = list.noDate ? "NO_DATE\r\n" : "";
  for (const Item& item : list.items) {
    bytes += std::to_string(item.check) + "," + std::to_string(item.due.year) + "," +
             std::to_string(item.due.month) + "," + std::to_string(item.due.day) + "," + item.text +
             "\r\n";
  }
  return bytes;
}

struct Row {
  std::string name;
  bool hasFile;  // a list whose name names a file in the list folder
};

// What the user should see in the window, and what should be on the disk.
struct Model {
  bool open = false;
  std::vector<Row> rows;
  int selected = -1;
  std::vector<Item> shown;  // the item box
  bool shownNoDate = false;
  int itemSelected = -1;
  bool listMode = true;
  bool noDateBox = false;
  std::string text;
  Date picker = kDates[0];
  std::map<std::string, StoredList> files;  // by folded name
  std::string order;                        // ListInfo.dat
};

// A message box the last step should have opened.
struct ExpectedBox {
  std::vector<std::string> texts;  // any one of these
  bool yesNo = false;
  bool mayBeMissing = false;
  std::function<void()> onYes;
};

// An in-place editor the last step should have opened.
struct OpenEditor {
  bool names;  // over the list-name box, else over the item box
  bool date;   // the date picker of an item's due date
  int row;
  std::string text;  // what a commit would store, before the edit's own clean-up
  Date due = kDates[0];
};

// What a crash or a hang reports: the walk's latest steps, newest last.
char g_lastSteps[8192] = "";
LPTOP_LEVEL_EXCEPTION_FILTER g_previousFilter = nullptr;
std::atomic<DWORD> g_stepDeadline{0};

LONG WINAPI ReportStepsOfCrash(EXCEPTION_POINTERS* info) {
  std::fprintf(stderr, "crash in the chaos walk; its last steps:\n%s\n", g_lastSteps);
  std::fflush(stderr);
  return g_previousFilter ? g_previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

class HostChaos : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs `steps` steps from `seed`, then closes the window and checks the files once more.
  void Walk(unsigned seed, int steps);

 private:
  // --- the tool window and its controls ---
  HWND Tool() const { return host_->ToolWindow(); }
  HWND Control(int id) const { return GetDlgItem(Tool(), id); }
  bool FocusIn(HWND box) const {
    HWND focus = FocusOfThread(Tool());
    return focus && (focus == box || IsChild(box, focus));
  }
  // Waits until the tool thread has handled what was posted to it.
  void Settle() { barrier_.Pass(Tool()); }
  void Press(int id) {
    ::PostMessageA(Control(id), BM_CLICK, 0, 0);
    Settle();
  }
  void ClickAt(HWND box, int x, int y) {
    ::PostMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Settle();
  }
  void Key(HWND window, UINT key) {
    ::PostMessageA(window, WM_KEYDOWN, key, 1);
    ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
    Settle();
  }
  void SetPickerDate(HWND picker, const Date& date) {
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(date.year);
    time.wMonth = static_cast<WORD>(date.month);
    time.wDay = static_cast<WORD>(date.day);
    ::SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
  }

  // --- the model's parts ---
  void SaveShown();
  void LoadSelected();
  void ActivateNames();
  void ActivateItems();
  void ModelOpened();
  void ModelClosed();
  void Expect(std::vector<std::string> texts, bool yesNo = false,
              std::function<void()> onYes = nullptr) {
    Note("  expects the message \"" + texts[0] + "\"");
    box_ = ExpectedBox{std::move(texts), yesNo, false, std::move(onYes)};
  }

  // --- steps ---
  void Step();
  void Choose(const std::vector<std::pair<int, std::function<void()>>>& choices);
  void Note(const std::string& what);
  void TypeText();
  void PickDate();
  void ClickModeButton(bool names);
  void ToggleNoDate();
  void AddEntry(bool atBottom);
  void AddList(bool atBottom);
  void AddItem(bool atBottom);
  void AddItemToAList();
  void Move(int step);
  void DeleteEntry();
  void ClearBox();
  void ClickListRow();
  void ClickItemRow();
  void StartEditWithF2(bool names);
  void EditorOpened(bool names, bool date, int row);
  void CommitEditor(bool byClickBelow);
  void CancelEditor();
  void CommitModel(const OpenEditor& editor);
  void EscapeInTextBox();
  void AnswerBox();
  void HostSaveState();
  void HostSearch();
  void HostSettings();
  void CloseSettings();
  void HostClose(int how);
  void HostInitialize();
  void HostReplaceTool();
  bool WaitUntilClosed();
  bool OpenWindow();

  // --- checks after each step ---
  void Check();
  void CheckFiles();

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  template <typename T>
  const T& PickOf(const std::vector<T>& pool) {
    return pool[static_cast<std::size_t>(Pick(static_cast<int>(pool.size())))];
  }

  std::string outer_;       // the data folder's parent: nothing in it may change
  std::string data_;        // the host's data folder
  std::string listFolder_;  // data_\ToDoList
  FileTree outsideBefore_;  // everything under outer_ but the list folder's own files
  std::unique_ptr<chaos::ChaosHost> host_;
  chaos::ToolThreadBarrier barrier_;
  DWORD toolThread_ = 0;
  HANDLE toolThreadHandle_ = nullptr;
  HWND listBox_ = nullptr;
  HWND itemBox_ = nullptr;
  Model model_;
  std::optional<ExpectedBox> box_;
  bool settingsOpen_ = false;
  std::optional<OpenEditor> editor_;
  std::mt19937 random_;
  int step_ = 0;
  int freshNames_ = 0;
  std::deque<std::string> history_;
  std::thread watchdog_;
  std::atomic<bool> stopWatchdog_{false};
};

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

// ---------------------------------------------------------------------------------------
// The model

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

// ---------------------------------------------------------------------------------------
// Steps

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

// What a user does to add an item: a list that can hold it selected, the item mode, a text,
// a date, the button.
void HostChaos::AddItemToAList() {
  std::vector<int> storable;
  for (int row = 0; row < static_cast<int>(model_.rows.size()); ++row) {
    if (model_.rows[row].hasFile) storable.push_back(row);
  }
  if (model_.selected < 0 || !model_.rows[model_.selected].hasFile || Pick(4) == 0) {
    if (storable.empty()) return;
    // A click on the selected row of the focused box would begin a rename: only another row.
    const int row = PickOf(storable);
    if (row != model_.selected) {
      Note("click list row " + std::to_string(row) + " \"" + model_.rows[row].name + "\"");
      ActivateNames();
      SaveShown();
      model_.selected = row;
      LoadSelected();
      ClickAt(listBox_, 60, row * kNameRowHeight + kNameRowHeight / 2);
    }
  }
  ClickModeButton(false);
  TypeText();
  PickDate();
  AddItem(Pick(2) == 0);
}

const std::vector<std::string> kItemTexts = {
    "milk",      "牛乳を買う", "電話する",         "call, then mail",
    "NO_DATE",   "  spaced  ", "\x83\x5C\x95\x5C", "a\r\nb",
    "tab\there", "",           "back\\slash",      "milk と 電話",
};

// Names the user types for a list, with what the list-name rules make of them.
struct TypedName {
  std::string text;
  NameKind kind;
};
const std::vector<TypedName> kTypedNames = {
    {"仕事", NameKind::kGood},
    {"買い物", NameKind::kGood},
    {"旅行 2027", NameKind::kGood},
    {"dot.name", NameKind::kGood},
    {"two\r\nlines", NameKind::kGood},
    {"\x83\x5C\x95\x5C"
     "2",
     NameKind::kGood},
    {"Work", NameKind::kGood},
    {"HOME", NameKind::kGood},
    {"ghost", NameKind::kGood},
    {"Ghost", NameKind::kGood},
    {"orphan", NameKind::kGood},
    {"ORPHAN", NameKind::kGood},
    {"", NameKind::kGood},
    {"a|b", NameKind::kRefused},
    {"con", NameKind::kRefused},
    {"COM3", NameKind::kRefused},
    {"nul.txt", NameKind::kRefused},
    {"Lpt9", NameKind::kRefused},
    {"../fwd", NameKind::kRefused},
    {"..\\up1", NameKind::kRefused},
    {"sub/y", NameKind::kRefused},
    {"tab\there", NameKind::kRefused},
    {"back\\slash", NameKind::kRefused},
    {"ab\x80\\new", NameKind::kHidesSeparator},
};

// Names not in the tables are made by the walk from good names: fresh ones, other letter cases.
NameKind KindOf(const std::string& typed) {
  for (const TypedName& name : kTypedNames) {
    if (name.text == typed) return name.kind;
  }
  for (const EscapingName& escaping : kEscapingNames) {
    if (Folded(escaping.name) == Folded(typed)) return escaping.kind;
  }
  return NameKind::kGood;
}

void HostChaos::TypeText() {
  std::string text;
  if (model_.listMode ? Pick(4) != 0 : Pick(4) == 0) {
    text = Pick(3) == 0 ? "新規" + std::to_string(++freshNames_) : PickOf(kTypedNames).text;
  } else {
    text = PickOf(kItemTexts);
  }
  Note("type \"" + text + "\"");
  ::SendMessageA(Control(kTextBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  model_.text = text;
}

void HostChaos::PickDate() {
  const Date& date = kDates[Pick(4)];
  Note("pick " + std::to_string(date.year) + "/" + std::to_string(date.month) + "/" +
       std::to_string(date.day));
  SetPickerDate(Control(kDatePicker), date);
  model_.picker = date;
}

void HostChaos::ClickModeButton(bool names) {
  Note(names ? "list mode button" : "item mode button");
  Press(names ? kListModeButton : kItemModeButton);
  names ? ActivateNames() : ActivateItems();
}

void HostChaos::ToggleNoDate() {
  if (!model_.listMode) return;  // disabled in item mode
  Note("no-date box");
  Press(kNoDateBox);
  model_.noDateBox = !model_.noDateBox;
}

void HostChaos::AddEntry(bool atBottom) {
  // Mostly the user types first.
  if (Pick(5) != 0) TypeText();
  if (!model_.listMode && Pick(4) != 0) PickDate();
  model_.listMode ? AddList(atBottom) : AddItem(atBottom);
}

void HostChaos::AddList(bool atBottom) {
  const std::string name = AsOneLine(model_.text);
  const bool checked = ::SendMessageA(Control(kNoDateBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
  EXPECT_EQ(model_.noDateBox, checked) << "the no-date box as the user left it";
  bool taken = model_.files.count(Folded(name)) != 0;
  for (const Row& row : model_.rows) taken = taken || Folded(row.name) == Folded(name);
  const NameKind kind = KindOf(model_.text);
  if (!name.empty() && kind == NameKind::kGood && !taken &&
      static_cast<int>(model_.rows.size()) >= kMostLists) {
    return DeleteEntry();  // a list more would not show without scrolling
  }
  Note(std::string(atBottom ? "add list at bottom" : "add list") + " \"" + name + "\"");
  if (name.empty()) {
    Expect({kEnterListName});
  } else if (kind == NameKind::kRefused) {
    Expect({kBadListName});
  } else if (kind == NameKind::kHidesSeparator) {
    Expect({kBadListName, kCannotCreate});
  } else if (taken) {
    Expect({kListExists});
  } else {
    SaveShown();
    model_.files[Folded(name)] = StoredList{name, checked, {}};
    const int at = atBottom ? static_cast<int>(model_.rows.size()) : 0;
    model_.rows.insert(model_.rows.begin() + at, Row{name, true});
    model_.selected = at;
    model_.shown.clear();
    model_.shownNoDate = checked;
    model_.itemSelected = -1;
    model_.noDateBox = checked;
    model_.text.clear();
  }
  Press(atBottom ? kAddAtBottom : kAdd);
}

void HostChaos::AddItem(bool atBottom) {
  if (static_cast<int>(model_.shown.size()) >= kMostItems) return;
  Note(std::string(atBottom ? "add item at bottom" : "add item") + " \"" + model_.text + "\"");
  if (model_.selected < 0) {
    Expect({kNoListSelected});
  } else if (!model_.rows[model_.selected].hasFile) {
    Expect({kListNotStorable});  // the item could never be saved
  } else if (model_.text.empty()) {
    Expect({kEnterItem});
  } else {
    Item item{0, model_.picker, AsOneLine(model_.text)};
    if (atBottom) {
      model_.shown.push_back(item);
    } else {
      model_.shown.insert(model_.shown.begin(), item);
      if (model_.itemSelected >= 0) ++model_.itemSelected;
    }
    model_.text.clear();
  }
  Press(atBottom ? kAddAtBottom : kAdd);
}

void HostChaos::Move(int step) {
  Note(step < 0 ? "up" : "down");
  if (model_.listMode) {
    int& at = model_.selected;
    if (at >= 0 && at + step >= 0 && at + step < static_cast<int>(model_.rows.size())) {
      std::swap(model_.rows[at], model_.rows[at + step]);
      at += step;
    }
  } else {
    int& at = model_.itemSelected;
    if (at >= 0 && at + step >= 0 && at + step < static_cast<int>(model_.shown.size())) {
      std::swap(model_.shown[at], model_.shown[at + step]);
      at += step;
    }
  }
  Press(step < 0 ? kUp : kDown);
}

void HostChaos::DeleteEntry() {
  Note("delete");
  if (model_.listMode && model_.selected >= 0) {
    const int at = model_.selected;
    Expect({kDeleteList}, true, [this, at] {
      if (model_.rows[at].hasFile) model_.files.erase(Folded(model_.rows[at].name));
      model_.rows.erase(model_.rows.begin() + at);
      model_.selected = -1;
      model_.shown.clear();  // not saved anywhere
      model_.itemSelected = -1;
    });
  } else if (!model_.listMode && model_.itemSelected >= 0) {
    Expect({kDeleteItem}, true, [this] {
      model_.shown.erase(model_.shown.begin() + model_.itemSelected);
      if (model_.itemSelected >= static_cast<int>(model_.shown.size())) --model_.itemSelected;
    });
  }
  Press(kDelete);
}

void HostChaos::ClearBox() {
  Note("clear");
  if (model_.listMode && !model_.rows.empty()) {
    Expect({kClearLists}, true, [this] {
      for (const Row& row : model_.rows) {
        if (row.hasFile) model_.files.erase(Folded(row.name));
      }
      model_.rows.clear();
      model_.selected = -1;
      model_.shown.clear();
      model_.itemSelected = -1;
    });
  } else if (!model_.listMode && !model_.shown.empty()) {
    Expect({kClearItems}, true, [this] {
      model_.shown.clear();
      model_.itemSelected = -1;
    });
  }
  Press(kClear);
}

void HostChaos::ClickListRow() {
  const int count = static_cast<int>(model_.rows.size());
  // The selected row often: a second click on it in the focused box starts a rename.
  int row = count == 0 ? -1 : Pick(count + 1) - 1;
  if (model_.selected >= 0 && Pick(4) == 0) row = model_.selected;
  const bool hadFocus = FocusIn(listBox_);
  Note("click list row " + std::to_string(row) +
       (row >= 0 ? " \"" + model_.rows[row].name + "\"" : std::string()) +
       (hadFocus ? " (focused)" : ""));
  const int y = row >= 0 ? row * kNameRowHeight + kNameRowHeight / 2
                         : count * kNameRowHeight + kNameRowHeight / 2;
  const bool startsRename = row >= 0 && row == model_.selected && hadFocus;
  ActivateNames();
  if (row >= 0 && row != model_.selected) {
    SaveShown();
    model_.selected = row;
    LoadSelected();
  }
  ClickAt(listBox_, 60, y);
  if (startsRename) {
    // The edit begins once no second click of a double-click can come any more.
    EXPECT_TRUE(chaos::WaitFor([&] { return chaos::EditorOf(listBox_) != nullptr; }, 4000))
        << "a click on the selected row of the focused box starts a rename";
    Settle();
    EditorOpened(true, false, row);
  }
}

void HostChaos::ClickItemRow() {
  const int count = static_cast<int>(model_.shown.size());
  int row = count == 0 ? -1 : Pick(count + 1) - 1;
  if (model_.itemSelected >= 0 && Pick(3) == 0) row = model_.itemSelected;
  const int x = std::vector<int>{kCheckX, kTextX, kDateX}[static_cast<std::size_t>(Pick(3))];
  const bool hadFocus = FocusIn(itemBox_);
  Note("click item row " + std::to_string(row) + " at x " + std::to_string(x) +
       (hadFocus ? " (focused)" : ""));
  const int y = kItemHeader + (row >= 0 ? row : count) * kItemRowHeight + kItemRowHeight / 2;
  ActivateItems();
  bool editPending = false;
  bool date = false;
  if (row >= 0 && row != model_.itemSelected) {
    model_.itemSelected = row;
  } else if (row >= 0 && hadFocus) {
    if (x == kCheckX) {
      model_.shown[row].check = model_.shown[row].check == 0 ? 1 : 0;
    } else {
      // Without dates the text column covers the date column's place.
      editPending = true;
      date = x == kDateX && !model_.shownNoDate;
    }
  }
  ClickAt(itemBox_, x, y);
  if (editPending) {
    EXPECT_TRUE(chaos::WaitFor([&] { return chaos::EditorOf(itemBox_) != nullptr; }, 4000))
        << "a click on the selected row of the focused box starts an edit";
    Settle();
    EditorOpened(false, date, row);
  }
}

void HostChaos::StartEditWithF2(bool names) {
  HWND box = names ? listBox_ : itemBox_;
  if (!names && model_.itemSelected < 0 && !model_.shown.empty()) {
    // An item to edit: a click on one selects it and focuses the box.
    const int row = Pick(static_cast<int>(model_.shown.size()));
    Note("click item row " + std::to_string(row));
    ActivateItems();
    model_.itemSelected = row;
    ClickAt(box, kTextX, kItemHeader + row * kItemRowHeight + kItemRowHeight / 2);
  }
  if (!FocusIn(box)) {
    // Into the box first: a click on its selected row (or below the rows) focuses it.
    if (names) {
      const int row = model_.selected >= 0 ? model_.selected : static_cast<int>(model_.rows.size());
      Note("click into the list box at row " + std::to_string(row));
      ActivateNames();
      ClickAt(box, 60, row * kNameRowHeight + kNameRowHeight / 2);
    } else {
      const int row =
          model_.itemSelected >= 0 ? model_.itemSelected : static_cast<int>(model_.shown.size());
      Note("click into the item box at row " + std::to_string(row));
      ActivateItems();
      ClickAt(box, kTextX, kItemHeader + row * kItemRowHeight + kItemRowHeight / 2);
    }
    if (!FocusIn(box)) return;
  }
  Note(names ? "F2 in the list box" : "F2 in the item box");
  if (names && model_.selected >= 0) Note("  on \"" + model_.rows[model_.selected].name + "\"");
  Key(box, VK_F2);
  const int row = names ? model_.selected : model_.itemSelected;
  if (row >= 0) EditorOpened(names, false, row);
}

void HostChaos::EditorOpened(bool names, bool date, int row) {
  OpenEditor editor{names, date, row, names ? model_.rows[row].name : model_.shown[row].text};
  if (!names) editor.due = model_.shown[row].due;
  HWND window = chaos::EditorOf(names ? listBox_ : itemBox_);
  if (!window) return;  // Check() reports the missing editor
  if (Pick(4) != 0) {
    if (date) {
      editor.due = kDates[Pick(4)];
      SetPickerDate(window, editor.due);
    } else {
      if (names) {
        std::vector<std::string> candidates = {PickOf(kTypedNames).text,
                                               "改名" + std::to_string(++freshNames_),
                                               Folded(editor.text), "edited\tname"};
        // Another list's name, exactly or in other letters.
        const Row& other =
            model_.rows[static_cast<std::size_t>(Pick(static_cast<int>(model_.rows.size())))];
        candidates.push_back(other.name);
        candidates.push_back(Folded(other.name));
        editor.text = PickOf(candidates);
      } else {
        editor.text = Pick(4) == 0 ? "edited\tText" : PickOf(kItemTexts);
      }
      ::SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(editor.text.c_str()));
    }
    Note("  editor holds \"" +
         (date ? std::to_string(editor.due.year) + "/" + std::to_string(editor.due.month) + "/" +
                     std::to_string(editor.due.day)
               : editor.text) +
         "\"");
  }
  editor_ = editor;
}

// What a commit of the open editor should do.
void HostChaos::CommitModel(const OpenEditor& editor) {
  if (!editor.names) {
    Item& item = model_.shown[editor.row];
    if (editor.date) {
      item.due = editor.due;
    } else if (!AsEdited(editor.text).empty()) {
      item.text = AsEdited(editor.text);
    }
    return;
  }
  const std::string edited = AsEdited(editor.text);
  Row& row = model_.rows[editor.row];
  if (edited.empty() || edited == row.name) return;
  const NameKind kind = KindOf(edited);
  if (kind == NameKind::kRefused) return;  // refused without a message
  if (kind == NameKind::kHidesSeparator) {
    box_ = ExpectedBox{{kBadListName, kDuplicateName}, false, true, nullptr};
    return;
  }
  bool duplicate = false;
  bool sameFileAsAnother = model_.files.count(Folded(edited)) != 0;
  for (int i = 0; i < static_cast<int>(model_.rows.size()); ++i) {
    if (i == editor.row) continue;
    duplicate = duplicate || model_.rows[i].name == edited;
    sameFileAsAnother = sameFileAsAnother || Folded(model_.rows[i].name) == Folded(edited);
  }
  if (duplicate) {
    Expect({kDuplicateName});
    return;
  }
  const bool ownLetterCase = Folded(row.name) == Folded(edited);
  if (!ownLetterCase && sameFileAsAnother) {
    // Its file would be another list's (Windows ignores the letter case): the name stays.
    box_ = ExpectedBox{{kDuplicateName, kListExists}, false, true, nullptr};
    return;
  }
  if (!row.hasFile) {
    // A name that named no file takes the new name with nothing stored, like a list whose
    // file is missing: from now on it is an empty dated list of its own.
    row = Row{edited, true};
    model_.shownNoDate = false;
    return;
  }
  auto file = model_.files.find(Folded(row.name));
  if (file != model_.files.end()) {
    StoredList moved = file->second;
    moved.name = edited;
    model_.files.erase(file);
    model_.files[Folded(edited)] = moved;
  }
  row.name = edited;
}

void HostChaos::CommitEditor(bool byClickBelow) {
  const OpenEditor editor = *editor_;
  editor_.reset();
  HWND box = editor.names ? listBox_ : itemBox_;
  Note(byClickBelow ? "click below the rows to end the edit" : "Enter in the editor");
  CommitModel(editor);
  if (byClickBelow) {
    // A press anywhere in the box stores the edit first, then activates the box.
    editor.names ? ActivateNames() : ActivateItems();
    const int y = editor.names
                      ? static_cast<int>(model_.rows.size()) * kNameRowHeight + 10
                      : kItemHeader + static_cast<int>(model_.shown.size()) * kItemRowHeight + 9;
    ClickAt(box, editor.names ? 60 : kTextX, y);
  } else {
    Key(chaos::EditorOf(box), VK_RETURN);
  }
}

void HostChaos::CancelEditor() {
  const OpenEditor editor = *editor_;
  editor_.reset();
  Note("Esc in the editor");
  Key(chaos::EditorOf(editor.names ? listBox_ : itemBox_), VK_ESCAPE);
}

void HostChaos::EscapeInTextBox() {
  Note("Esc in the text box");
  Key(Control(kTextBox), VK_ESCAPE);
}

void HostChaos::AnswerBox() {
  const ExpectedBox expected = *box_;
  chaos::ModalWindows modal = chaos::ModalWindowsOf(toolThread_);
  ASSERT_EQ(1u, modal.messageBoxes.size());
  // Clearing every list is answered Yes seldom, or little would be left to work with.
  const bool yes = Pick(expected.texts[0] == kClearLists ? 5 : 2) == 0;
  const int answer = !expected.yesNo ? IDOK : yes ? IDYES : IDNO;
  Note(answer == IDYES ? "answer Yes" : answer == IDNO ? "answer No" : "answer OK");
  HWND box = modal.messageBoxes[0];
  box_.reset();
  if (answer == IDYES && expected.onYes) expected.onYes();
  ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
  EXPECT_TRUE(chaos::WaitFor([&] { return !IsWindow(box); })) << "the answered box closes";
  Settle();
}

void HostChaos::HostSaveState() {
  const bool saves = model_.open && model_.selected >= 0 && model_.rows[model_.selected].hasFile;
  Note("host SaveState");
  const int result = host_->tool()->SaveState();
  if (saves) SaveShown();
  EXPECT_EQ(saves ? 1 : 0, result) << "1 only when a list's items were written";
}

void HostChaos::HostSearch() {
  const std::vector<std::string> words = {"", "milk", "電話", "2027"};
  const std::string word = PickOf(words);
  Note("host Search \"" + word + "\"");
  std::vector<std::string> found = chaos::SearchOnOwnThread(host_->tool(), word);
  std::vector<std::string> expected;
  for (const auto& file : model_.files) {
    for (const Item& item : file.second.items) {
      const std::string y = std::to_string(item.due.year);
      const std::string m = std::to_string(item.due.month);
      const std::string d = std::to_string(item.due.day);
      const std::string line =
          std::to_string(item.check) + "\t" + y + "\t" + m + "\t" + d + "\t" + item.text;
      if (line.find(word) == std::string::npos) continue;
      expected.push_back("[" + file.second.name + "] " + (item.check == 0 ? "(未)" : "(済)") +
                         " 期限：" + y + "/" + m + "/" + d + " " + item.text);
    }
  }
  // File names as the disk holds them may differ in letter case from the list's name.
  for (auto* lines : {&found, &expected}) {
    for (std::string& line : *lines) line = Folded(line);
    std::sort(lines->begin(), lines->end());
  }
  EXPECT_EQ(expected, found) << "the search finds what the files hold";
}

void HostChaos::HostSettings() {
  Note("host posts the settings message");
  ::PostMessageA(Tool(), WM_TOOL_SETTINGS, 0, 0);
  Settle();
  // With a message box open nothing opens; a second request keeps the one dialog.
  if (!box_) settingsOpen_ = true;
}

void HostChaos::CloseSettings() {
  chaos::ModalWindows modal = chaos::ModalWindowsOf(toolThread_);
  ASSERT_EQ(1u, modal.settings.size());
  Note("close the settings dialog with its button");
  HWND dialog = modal.settings[0];
  ::PostMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_TRUE(chaos::WaitFor([&] { return !IsWindow(dialog); })) << "the settings dialog closes";
  settingsOpen_ = false;
  Settle();
}

bool HostChaos::WaitUntilClosed() {
  const bool closed = chaos::WaitFor([&] { return Tool() == nullptr; }, 10000);
  EXPECT_TRUE(closed) << "the window closes; it is " << (IsWindowEnabled(Tool()) ? "" : "not ")
                      << "enabled, with " << chaos::ModalWindowsOf(toolThread_).messageBoxes.size()
                      << " message boxes and " << chaos::ModalWindowsOf(toolThread_).settings.size()
                      << " settings dialogs open";
  if (!closed) return false;
  const bool ended = chaos::WaitFor(
      [&] { return WaitForSingleObject(toolThreadHandle_, 0) == WAIT_OBJECT_0; }, 10000);
  EXPECT_TRUE(ended) << "the tool thread ends with its window; it still has "
                     << chaos::WindowCountOf(toolThread_) << " windows";
  barrier_.Detach();
  return ended;
}

// how: 0 WM_CLOSE sent by the host, 1 the caption's close, 2 Alt+F4 at the focused control.
void HostChaos::HostClose(int how) {
  if (how == 2 && box_) how = 1;  // the keys would go to the box
  HWND tool = Tool();
  if (how == 0) {
    Note("host sends WM_CLOSE");
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(tool, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &ignored);
  } else if (how == 1) {
    Note("close from the caption (SC_CLOSE)");
    ::PostMessageA(tool, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (box_) {
      // A message box is owned by the tool window and disables it, so the window's own close
      // does nothing until the box is answered: what the user can do on Windows, too.
      Settle();
      EXPECT_TRUE(IsWindow(tool)) << "a disabled window does not close";
      return;
    }
  } else {
    HWND focus = FocusOfThread(tool);
    Note("Alt+F4");
    const LPARAM down = 1 | (0x3E << 16) | (1 << 29);
    ::PostMessageA(focus ? focus : tool, WM_SYSKEYDOWN, VK_F4, down);
    ::PostMessageA(focus ? focus : tool, WM_SYSKEYUP, VK_F4, down | (3u << 30));
  }
  ModelClosed();
  WaitUntilClosed();
}

bool HostChaos::OpenWindow() {
  const bool opened = host_->Initialize(true);
  EXPECT_TRUE(opened) << "Initialize opens the window";
  if (!opened) return false;
  ModelOpened();
  return true;
}

void HostChaos::HostInitialize() {
  if (!model_.open) {
    Note("host Initialize (window closed)");
    OpenWindow();
    return;
  }
  Note("host Initialize (window open)");
  HWND before = Tool();
  host_->Initialize(false);
  // The thread it starts finds the window and ends at once.
  HANDLE thread = host_->tool()->m_pThread ? host_->tool()->m_pThread->m_hThread : nullptr;
  EXPECT_TRUE(thread &&
              chaos::WaitFor([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }))
      << "the second tool thread ends at once";
  EXPECT_EQ(before, Tool()) << "the open window stays";
  Settle();
}

void HostChaos::HostReplaceTool() {
  Note(model_.open ? "host deletes the tool object (window open), makes a new one"
                   : "host deletes the tool object, makes a new one");
  const bool wasOpen = model_.open;
  host_->DeleteTool();
  if (wasOpen) {
    ModelClosed();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(toolThreadHandle_, 0))
        << "the destructor waited for the tool thread";
    barrier_.Detach();
  }
  CheckFiles();
  ASSERT_TRUE(host_->NewTool());
  OpenWindow();
}

// ---------------------------------------------------------------------------------------
// Checks

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

// Four walks of 120 steps from seeds of their own, each with a fresh host, data folder and
// tool: a failure ends only its own walk, and each walk stays well inside the time limit.
TEST_F(HostChaos, HostCallsAmidUserActionsLoseNothingAndTouchNoOtherFileSeed1) {
  Walk(20261208u, 120);
}

TEST_F(HostChaos, HostCallsAmidUserActionsLoseNothingAndTouchNoOtherFileSeed2) {
  Walk(4099u, 120);
}

TEST_F(HostChaos, HostCallsAmidUserActionsLoseNothingAndTouchNoOtherFileSeed3) {
  Walk(77731u, 120);
}

TEST_F(HostChaos, HostCallsAmidUserActionsLoseNothingAndTouchNoOtherFileSeed4) {
  Walk(31337u, 120);
}

}  // namespace
