// A window with both list boxes filled with sample rows, for a screenshot: list names with a
// bitmap, items with check marks, dates and colours under a header, and one item being edited.
// Prints "ready" once everything is drawn; closes itself after the seconds given as its
// argument (default 60).

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "quarnctrl/quarn_ctrl.h"

namespace {

constexpr char kDemoClass[] = "QuarnDemoBoxes";
constexpr UINT_PTR kCloseTimer = 1;

LRESULT CALLBACK DemoProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kCloseTimer) {
    DestroyWindow(hwnd);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A 16 x 16 notebook: a blue cover with white lines.
HBITMAP MakeListBitmap() {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  auto fill = [dc](int left, int top, int right, int bottom, COLORREF colour) {
    RECT rect{left, top, right, bottom};
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  };
  fill(0, 0, 16, 16, GetSysColor(COLOR_WINDOW));
  fill(2, 1, 14, 15, RGB(40, 90, 200));
  fill(2, 1, 4, 15, RGB(20, 50, 130));
  for (int y = 4; y < 14; y += 3) fill(6, y, 12, y + 1, RGB(255, 255, 255));
  SelectObject(dc, previous);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

DWORD Date(WORD year, WORD month, WORD day) {
  SYSTEMTIME date{};
  date.wYear = year;
  date.wMonth = month;
  date.wDay = day;
  return CQuarnListBox::ConvertToDateData(date);
}

HWND Label(HWND parent, const char* text, int x, int y, HFONT font) {
  HWND label = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE, x, y, 300, 18, parent,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return label;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR arguments, int) {
  int seconds = arguments != nullptr && *arguments != '\0' ? std::atoi(arguments) : 60;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &DemoProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kDemoClass;
  RegisterClassA(&windowClass);
  RECT frame{0, 0, 770, 400};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window = CreateWindowExA(0, kDemoClass, "リストボックス", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                10, 10, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, instance, nullptr);
  HFONT nameFont = CreateFontA(-15, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                               "ＭＳ Ｐゴシック");
  HFONT itemFont = CreateFontA(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                               "ＭＳ Ｐゴシック");
  HBITMAP listBitmap = MakeListBitmap();
  Label(window, "ToDoリスト一覧", 10, 8, nameFont);
  Label(window, "アイテム一覧", 250, 8, nameFont);

  RECT namesRect{10, 30, 235, 390};
  auto* names = static_cast<CQuarnImageListBox*>(
      CQuarnListBox::NewQuarnCtrl(window, "ToDoList", &namesRect, 0));
  names->SetUseItemLine(0);
  names->SetUseColumnHeader(0);
  names->SetEditable(1);
  names->SetCtrlFont(nameFont, 1);
  names->SetItemHeight(20);
  for (const char* name : {"仕事", "買い物", "読書メモ", "旅行の準備", "家の用事", "趣味"}) {
    names->AddItem(listBitmap, name, 0);
  }
  names->SetCurSel(1);

  RECT itemsRect{250, 30, 760, 390};
  auto* items = static_cast<CQuarnToDoListBox*>(
      CQuarnListBox::NewQuarnCtrl(window, "ToDoItem", &itemsRect, 0));
  items->SetUseItemLine(1);
  items->SetUseColumnHeader(1);
  items->SetEditable(1);
  items->SetColumnLabel(QUARN_COLUMN_CHECK, "ﾁｪｯｸ");
  items->SetColumnLabel(QUARN_COLUMN_TEXT, "ToDo内容");
  items->SetColumnLabel(QUARN_COLUMN_DATE, "期限日");
  items->SetCtrlFont(itemFont, 1);
  items->SetItemHeight(18);
  items->SetColumnWidth(QUARN_COLUMN_CHECK, 36);
  items->SetColumnWidth(QUARN_COLUMN_TEXT, 360);
  struct Sample {
    int check;
    const char* text;
    DWORD date;
    COLORREF colour;
  };
  const Sample samples[] = {
      {0, "牛乳と卵を買う", Date(2026, 12, 1), RGB(255, 0, 0)},
      {0, "電池（単3形）を4本", Date(2026, 12, 8), RGB(0, 0, 255)},
      {0, "パンを買う", Date(2026, 12, 8), RGB(0, 0, 255)},
      {0, "年賀状のはがき", Date(2026, 12, 20), RGB(0, 0, 0)},
      {1, "洗剤", Date(2026, 11, 30), RGB(128, 128, 128)},
      {0, "クリスマスのケーキを予約する", Date(2026, 12, 24), RGB(0, 0, 0)},
      {1, "コーヒー豆", Date(2026, 11, 28), RGB(128, 128, 128)},
      {0, "大掃除の道具をそろえる（ゴム手袋、スポンジ、雑巾、ゴミ袋、重曹）", Date(2026, 12, 28),
       RGB(0, 0, 0)},
      {0, "お米 5kg", Date(2026, 12, 10), RGB(0, 0, 0)},
      {0, "しょうゆ", Date(2026, 12, 11), RGB(0, 0, 0)},
      {1, "歯ブラシ", Date(2026, 11, 25), RGB(128, 128, 128)},
      {0, "お歳暮のお礼状", Date(2026, 12, 15), RGB(0, 0, 0)},
      {0, "トイレットペーパー", Date(2026, 12, 12), RGB(0, 0, 0)},
      {0, "みかん一箱", Date(2026, 12, 18), RGB(0, 0, 0)},
      {0, "鏡もちとしめ飾り", Date(2026, 12, 29), RGB(0, 0, 0)},
      {0, "年越しそば", Date(2026, 12, 31), RGB(0, 0, 0)},
      {0, "電球（玄関）", Date(2026, 12, 5), RGB(255, 0, 0)},
      {1, "ラップとアルミホイル", Date(2026, 11, 20), RGB(128, 128, 128)},
      {0, "猫のえさ", Date(2026, 12, 9), RGB(0, 0, 0)},
      {0, "プリンターのインク", Date(2026, 12, 14), RGB(0, 0, 0)},
      {0, "カレンダー（来年の分）", Date(2026, 12, 26), RGB(0, 0, 0)},
  };
  for (const Sample& sample : samples) {
    int row = items->AddItem(sample.check, sample.text, sample.date);
    items->SetItemColor(row, sample.colour);
  }
  // The user edits the third item's text, as after clicking it while it is selected.
  items->SetCurSel(2);
  SetFocus(window);
  UpdateWindow(window);
  HWND itemsWindow = nullptr;
  for (HWND child = FindWindowExA(window, nullptr, "QuarnListCtrl", nullptr); child != nullptr;
       child = FindWindowExA(window, child, "QuarnListCtrl", nullptr)) {
    itemsWindow = child;  // the item box was made last
  }
  SetFocus(itemsWindow);
  SendMessageA(itemsWindow, WM_KEYDOWN, VK_F2, 1);
  HWND editor = FindWindowExA(itemsWindow, nullptr, "Edit", nullptr);
  if (editor != nullptr) {
    SetWindowTextA(editor, "食パンとバターを買う");
    SendMessageA(editor, EM_SETSEL, 0, -1);
  }
  UpdateWindow(window);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  std::printf("ready\n");
  std::fflush(stdout);
  SetTimer(window, kCloseTimer, static_cast<UINT>(seconds) * 1000, nullptr);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  names->DestroyCtrl();
  delete names;
  items->DestroyCtrl();
  delete items;
  DeleteObject(listBitmap);
  DeleteObject(nameFont);
  DeleteObject(itemFont);
  return 0;
}
