// The real list box under Wine: how long painting takes with 1,000 and with 100,000 rows
// (only the visible rows are drawn, so both should cost about the same), and how long
// filling the box and inserting or deleting at its top take. Prints one table.

#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <memory>

#include "quarnctrl/quarn_ctrl.h"

namespace {

constexpr char kHostClass[] = "QuarnBenchHost";
constexpr int kPaints = 200;
constexpr int kTopChanges = 1000;
constexpr DWORD kDate = 0x07EA0C08;

using Box = std::unique_ptr<CQuarnToDoListBox, CQuarnBoxDeleter>;

// Milliseconds on the performance counter.
double Now() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

struct Figures {
  double fill = 0;       // ms to add all rows
  double paint = 0;      // ms per WM_PAINT
  double print = 0;      // ms per WM_PRINTCLIENT
  double insertTop = 0;  // microseconds per insert at the top
  double deleteTop = 0;  // microseconds per delete at the top
};

Figures Measure(HWND host, int rows) {
  Figures figures;
  RECT rect{10, 10, 470, 520};
  Box box(static_cast<CQuarnToDoListBox*>(CQuarnListBox::NewQuarnCtrl(host, "ToDoItem", &rect, 0)));
  HWND hwnd = FindWindowExA(host, nullptr, "QuarnListCtrl", nullptr);
  box->SetUseColumnHeader(1);
  box->SetUseItemLine(1);
  box->SetItemHeight(18);
  box->SetColumnWidth(QUARN_COLUMN_TEXT, 320);

  double start = Now();
  for (int i = 0; i < rows; ++i) box->AddItem(i % 2, "an item of an ordinary length", kDate);
  figures.fill = Now() - start;

  // Paint the middle of the box, far from its first row.
  box->SetCurSel(rows / 2);
  box->RefreshCtrl();
  UpdateWindow(hwnd);
  start = Now();
  for (int i = 0; i < kPaints; ++i) {
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
  }
  figures.paint = (Now() - start) / kPaints;

  HDC screen = GetDC(hwnd);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right - rect.left, rect.bottom - rect.top);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  start = Now();
  for (int i = 0; i < kPaints; ++i) {
    SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  }
  GdiFlush();
  figures.print = (Now() - start) / kPaints;
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(hwnd, screen);

  start = Now();
  for (int i = 0; i < kTopChanges; ++i) box->InsertItem(0, 0, "a new first item", kDate);
  figures.insertTop = 1000.0 * (Now() - start) / kTopChanges;
  start = Now();
  for (int i = 0; i < kTopChanges; ++i) box->DeleteItem(0);
  figures.deleteTop = 1000.0 * (Now() - start) / kTopChanges;
  Pump();
  return figures;
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int main() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &HostProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kHostClass;
  RegisterClassA(&windowClass);
  HWND host = CreateWindowExA(0, kHostClass, "QuarnCtrl bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                              0, 500, 580, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  Pump();

  std::printf("%9s %12s %14s %16s %16s %16s\n", "rows", "fill (ms)", "WM_PAINT (ms)",
              "PRINTCLIENT (ms)", "insert top (us)", "delete top (us)");
  for (int rows : {1000, 100000}) {
    Figures f = Measure(host, rows);
    std::printf("%9d %12.1f %14.3f %16.3f %16.2f %16.2f\n", rows, f.fill, f.paint, f.print,
                f.insertTop, f.deleteTop);
    std::fflush(stdout);
  }
  // The process ends here: destroying a visible window under Wine without a window manager
  // waits for the display, which would only slow the run down.
  return 0;
}
