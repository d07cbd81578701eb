#include "quarnctrl/win32/accessible_text.h"

#include <vector>

namespace quarn::win32 {

namespace {

// Every text of the boxes is code page 932, whatever the system's own code page is.
constexpr UINT kTextCodePage = 932;

bool IsGroupBox(HWND window) {
  wchar_t className[16] = {};
  if (GetClassNameW(window, className, 16) == 0 || lstrcmpiW(className, L"Button") != 0) {
    return false;
  }
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  return (style & WS_VISIBLE) != 0 && (style & BS_TYPEMASK) == BS_GROUPBOX;
}

bool Holds(const RECT& outer, const RECT& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

long long Area(const RECT& rect) {
  return static_cast<long long>(rect.right - rect.left) * (rect.bottom - rect.top);
}

std::wstring WindowTextWithoutMnemonics(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return std::wstring();
  std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), length + 1);
  std::wstring caption;
  for (int i = 0; i < got; ++i) {
    // "&x" marks x as the mnemonic; "&&" stands for one "&".
    if (text[i] == L'&' && i + 1 < got) ++i;
    caption += text[i];
  }
  return caption;
}

}  // namespace

BSTR NewBstrFromCp932(std::string_view text) {
  if (text.empty()) return SysAllocString(L"");
  const int size = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(kTextCodePage, 0, text.data(), size, nullptr, 0);
  if (wide <= 0) return SysAllocString(L"");
  BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(wide));
  if (result == nullptr) return nullptr;
  MultiByteToWideChar(kTextCodePage, 0, text.data(), size, result, wide);
  return result;
}

std::wstring FramingGroupCaption(HWND box) {
  HWND parent = GetParent(box);
  RECT boxRect{};
  if (parent == nullptr || !GetWindowRect(box, &boxRect)) return std::wstring();
  HWND best = nullptr;
  long long bestArea = 0;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect{};
    if (child == box || !IsGroupBox(child) || !GetWindowRect(child, &rect)) continue;
    if (!Holds(rect, boxRect)) continue;
    if (best == nullptr || Area(rect) < bestArea) {
      best = child;
      bestArea = Area(rect);
    }
  }
  return best != nullptr ? WindowTextWithoutMnemonics(best) : std::wstring();
}

}  // namespace quarn::win32
