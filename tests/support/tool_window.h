#pragma once
// Helpers for tests that drive the real tool window: the list boxes found by their place,
// clicks into them, the files of the data folder, the item-count line as the screen shows it,
// and the tool's message boxes found, read and answered. What the tests know of the window's
// controls and texts is in support/tool_facts.h.

#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

#include "framework/fw_handles.h"
#include "plugin/window_layout.h"
#include "support/fake_host.h"
#include "support/message_pump.h"
#include "support/tool_facts.h"

namespace todo_test::tool_window {

using namespace todo_test::tool;

constexpr POINT kListBoxCorner = {todo::layout::kListBox.left, todo::layout::kListBox.top};
constexpr POINT kItemBoxCorner = {todo::layout::kItemBox.left, todo::layout::kItemBox.top};
constexpr RECT kItemCountLine = todo::layout::kItemCountLine;

inline std::string ListFolder(const FakeHost& host) {
  return host.dataFolder() + "\\ToDoList";
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The bytes of the file at path, or "<missing>". Opened sharing everything, as the tool's own
// readers open files: a test that polls a file must not make the tool's delete or move of it
// fail.
inline std::string ReadFile(const std::string& path) {
  fw::UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Ok()) return "<missing>";
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (::ReadFile(file.Get(), chunk, sizeof(chunk), &got, nullptr) && got > 0) {
    bytes.append(chunk, got);
  }
  return bytes;
}

// When the file was last written, in 100-nanosecond steps.
inline ULONGLONG WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

// The text a window shows.
inline std::string WindowText(HWND window) {
  char text[1024] = "";
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

// Where `child` sits in the client area of its parent.
inline RECT ClientRectOf(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The name of a window's class.
inline std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof(name));
  return name;
}

struct BoxSearch {
  POINT corner;
  HWND found;
};

inline BOOL CALLBACK FindBoxAtCorner(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  const RECT rect = ClientRectOf(child);
  if (ClassOf(child) == "QuarnListCtrl" && rect.left == search->corner.x &&
      rect.top == search->corner.y) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

inline HWND BoxAt(HWND tool, POINT corner) {
  BoxSearch search = {corner, nullptr};
  EnumChildWindows(tool, &FindBoxAtCorner, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The middle of row `row` of the list-name box or of the item box, in the box's client pixels.
inline int RowMiddle(bool names, int row) {
  return names ? row * kNameRowHeight + kNameRowHeight / 2
               : kItemHeaderHeight + row * kItemRowHeight + kItemRowHeight / 2;
}

// Sets a date picker to a day, as a pick in its calendar does.
inline void SetPickerDate(HWND picker, int year, int month, int day) {
  SYSTEMTIME date = {};
  date.wYear = static_cast<WORD>(year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(day);
  ::SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
}

// A click at client point (x, y) of a box, and a wait for the tool thread to handle it.
inline void Click(HWND box, int x, int y) {
  LPARAM at = MAKELPARAM(x, y);
  ::SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(box, WM_LBUTTONUP, 0, at);
}

// Presses `key` with the modifier keys `held` down, as the keyboard does, into whatever window
// has the focus.
inline void PressKeys(std::initializer_list<WORD> held, WORD key) {
  std::vector<INPUT> inputs;
  auto add = [&](WORD vk, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  for (WORD modifier : held) add(modifier, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  for (WORD modifier : held) add(modifier, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The pixels of `area` of a device context: '.' for the face colour, '#' for any other.
inline std::string PixelsOf(HDC dc, const RECT& area) {
  std::string pixels;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      pixels += GetPixel(dc, x, y) == GetSysColor(COLOR_BTNFACE) ? '.' : '#';
    }
  }
  return pixels;
}

// The pixels of the item-count line as the screen shows them.
inline std::string ItemCountPixels(HWND tool) {
  RedrawWindow(tool, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  todo_test::PumpFor(200);
  HDC dc = GetDC(tool);
  const std::string pixels = PixelsOf(dc, kItemCountLine);
  ReleaseDC(tool, dc);
  return pixels;
}

// The pixels the item-count line shows for `count` items: the line drawn as the tool draws it,
// into a bitmap of its own.
inline std::string ExpectedItemCountPixels(int count) {
  const int width = kItemCountLine.right - kItemCountLine.left;
  const int height = kItemCountLine.bottom - kItemCountLine.top;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  RECT rect = {0, 0, width, height};
  FillRect(dc, &rect, face);
  HFONT font =
      CreateFontA(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEVICE_PRECIS,
                  CLIP_DEFAULT_PRECIS, DRAFT_QUALITY, VARIABLE_PITCH | FF_DONTCARE, "");
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  std::string text = "登録ｱｲﾃﾑ： " + std::to_string(count) + " 件";
  DrawTextA(dc, text.c_str(), -1, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  const std::string pixels = PixelsOf(dc, rect);
  SelectObject(dc, oldFont);
  DeleteObject(font);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// The window that has the keyboard focus on the thread of `window`.
inline HWND FocusOfThread(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// Whether `window` is one of the tool's message boxes, shown or not.
inline bool IsToolMessageBox(HWND window) {
  return ClassOf(window) == "#32770" && HasCaption(window, kMessageBoxCaption);
}

// A message box of the tool shown on the thread of `tool`, or with a null `tool` anywhere in
// this process; null when there is none.
inline HWND ToolMessageBox(HWND tool) {
  const DWORD thread = tool != nullptr ? GetWindowThreadProcessId(tool, nullptr) : 0;
  const std::vector<HWND> found = TopWindowsOf(GetCurrentProcessId(), [&](HWND window) {
    return IsToolMessageBox(window) && IsWindowVisible(window) &&
           (tool == nullptr || GetWindowThreadProcessId(window, nullptr) == thread);
  });
  return found.empty() ? nullptr : found.front();
}

// The text a message box shows.
inline std::string MessageBoxText(HWND box) {
  return WindowText(GetDlgItem(box, 0xFFFF));  // its text's static control
}

// Answers a message box with IDOK, IDYES or IDNO as its button would; true once it is gone.
inline bool AnswerBox(HWND box, int answer) {
  ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
  return PumpUntil([&] { return !IsWindow(box); });
}

}  // namespace todo_test::tool_window
