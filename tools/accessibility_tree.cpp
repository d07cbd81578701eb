// Prints what a screen reader reads of the tool window of a running host: the window, each of
// its controls and, for the two list boxes, every row, each as its role and name (and, for a
// row, its states and description), read from another process through Active Accessibility
// as the tests read them. Waits up to a minute for the window (title "ToDoリスト").
//
//   accessibility_tree.exe [--select N]
//
// With --select, row N (from 1) of the list-name box is first picked through its default
// action, as a screen reader user would pick it, so that the item box shows that list's items.
// The output is UTF-8 text; the exit status is 1 when no window came or the pick failed.

#include <windows.h>

#include <oleacc.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "accessible_reading.h"
#include "framework/fw_com.h"
#include "plugin/tool_texts.h"

namespace {

constexpr DWORD kWaitMs = 60000;

void Write(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size,
                      nullptr, nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
            &written, nullptr);
}

std::wstring RoleText(IAccessible* object, LONG id) {
  const std::optional<LONG> role = accessible::Role(object, id);
  if (!role) return L"(no role)";
  wchar_t text[64] = L"";
  if (GetRoleTextW(static_cast<DWORD>(*role), text, 64) == 0) {
    return L"role " + std::to_wstring(*role);
  }
  return text;
}

std::wstring StateText(IAccessible* object, LONG id) {
  const std::optional<LONG> state = accessible::State(object, id);
  if (!state) return L"";
  const struct {
    LONG flag;
    const wchar_t* text;
  } kShown[] = {{STATE_SYSTEM_SELECTED, L"selected"},    {STATE_SYSTEM_FOCUSED, L"focused"},
                {STATE_SYSTEM_CHECKED, L"checked"},      {STATE_SYSTEM_OFFSCREEN, L"offscreen"},
                {STATE_SYSTEM_UNAVAILABLE, L"disabled"}, {STATE_SYSTEM_INVISIBLE, L"invisible"}};
  std::wstring shown;
  for (const auto& one : kShown) {
    if ((*state & one.flag) == 0) continue;
    shown += shown.empty() ? L" [" : L", ";
    shown += one.text;
  }
  return shown.empty() ? shown : shown + L"]";
}

// One line: indent, role, name, states and (for rows) the description.
void PrintNode(IAccessible* object, LONG id, int depth) {
  const std::optional<std::wstring> name = accessible::Name(object, id);
  std::wstring line(static_cast<std::size_t>(depth) * 2, L' ');
  line += RoleText(object, id) + L" " + (name ? L"\"" + *name + L"\"" : L"(no name)") +
          StateText(object, id);
  if (const std::optional<std::wstring> description = accessible::Description(object, id)) {
    line += L" \u2014 " + *description;
  }
  Write(line + L"\n");
}

void PrintWindow(HWND hwnd, int depth) {
  const fw::ComPtr<IAccessible> object = accessible::OfWindow(hwnd);
  if (!object) {
    Write(std::wstring(static_cast<std::size_t>(depth) * 2, L' ') + L"(no object)\n");
    return;
  }
  PrintNode(object.Get(), CHILDID_SELF, depth);
  // Rows of a list: its simple children.
  LONG count = 0;
  const bool list = accessible::Role(object.Get(), CHILDID_SELF) == ROLE_SYSTEM_LIST;
  if (list && SUCCEEDED(object->get_accChildCount(&count))) {
    for (LONG id = 1; id <= count; ++id) PrintNode(object.Get(), id, depth + 1);
  }
  for (HWND child = GetWindow(hwnd, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (IsWindowVisible(child)) PrintWindow(child, depth + 1);
  }
}

// Picks row `id` of the list-name box (the first list box of the window) by its default
// action, and gives the window time to load the list's items.
bool SelectList(HWND tool, LONG id) {
  HWND names = FindWindowExA(tool, nullptr, "QuarnListCtrl", nullptr);
  const fw::ComPtr<IAccessible> object =
      names != nullptr ? accessible::OfWindow(names) : fw::ComPtr<IAccessible>();
  if (!object || object->accDoDefaultAction(accessible::Child(id)) != S_OK) return false;
  Sleep(1500);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  fw::ComApartment apartment;
  HWND tool = nullptr;
  for (DWORD waited = 0; tool == nullptr && waited < kWaitMs; waited += 250) {
    tool = FindWindowA(nullptr, todo::kDisplayName);
    if (tool == nullptr) Sleep(250);
  }
  if (tool == nullptr) {
    Write(L"no tool window\n");
    return 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "--select") == 0 && !SelectList(tool, std::atol(argv[2]))) {
    Write(L"the list could not be picked\n");
    return 1;
  }
  PrintWindow(tool, 0);
  return 0;
}
