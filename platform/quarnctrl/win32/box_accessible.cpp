// A box as a screen reader sees it: the list, its items and what can be done with them.

#include "quarnctrl/win32/box_accessible.h"

#include "quarnctrl/win32/accessible_text.h"
#include "quarnctrl/win32/list_painter.h"

namespace quarn::win32 {

namespace {

void SetEmpty(VARIANT* value) {
  VariantInit(value);
  value->vt = VT_EMPTY;
}

void SetInteger(VARIANT* value, LONG number) {
  VariantInit(value);
  value->vt = VT_I4;
  value->lVal = number;
}

// A text for an out-parameter: S_OK, or E_OUTOFMEMORY when no BSTR could be made.
HRESULT Give(BSTR text, BSTR* out) {
  *out = text;
  return text != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Whether a box's row is within the rows the box shows now, even in part.
bool RowInView(const ListLayout& layout, int row) {
  return row >= layout.TopRow() && row < layout.EndRow();
}

}  // namespace

AccessibleSource* BoxAccessible::Live() const {
  return m_source != nullptr && m_source->Hwnd() != nullptr ? m_source : nullptr;
}

int BoxAccessible::RowOf(const VARIANT& child) const {
  if (child.vt != VT_I4) return -2;
  if (child.lVal == CHILDID_SELF) return -1;
  const int row = child.lVal - 1;
  return row >= 0 && row < m_source->Model().Count() ? row : -2;
}

const wchar_t* BoxAccessible::DefaultAction(int row) const {
  const ListModel& model = m_source->Model();
  if (model.RowAt(row) == nullptr) return nullptr;
  // What a press on the row does: the check of an editable item box toggles; otherwise the
  // row is selected.
  if (model.IsChecked() && model.Editable()) {
    return model.RowAt(row)->check != 0 ? L"チェックを外す" : L"チェックする";
  }
  return L"選択する";
}

HRESULT BoxAccessible::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT BoxAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT BoxAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT BoxAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                              UINT*) {
  return E_NOTIMPL;
}

HRESULT BoxAccessible::get_accParent(IDispatch** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  AccessibleSource* source = Live();
  if (source == nullptr) return RPC_E_DISCONNECTED;
  // The window's own object, as Windows makes it for every window.
  return CreateStdAccessibleObject(source->Hwnd(), OBJID_WINDOW, IID_IDispatch,
                                   reinterpret_cast<void**>(parent));
}

HRESULT BoxAccessible::get_accChildCount(LONG* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  AccessibleSource* source = Live();
  if (source == nullptr) return RPC_E_DISCONNECTED;
  *count = source->Model().Count();
  return S_OK;
}

HRESULT BoxAccessible::get_accChild(VARIANT child, IDispatch** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (Live() == nullptr) return RPC_E_DISCONNECTED;
  // Rows are simple items of the list, with no object of their own.
  return RowOf(child) >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT BoxAccessible::get_accName(VARIANT child, BSTR* name) {
  if (name == nullptr) return E_POINTER;
  *name = nullptr;
  AccessibleSource* source = Live();
  if (source == nullptr) return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row == -2) return E_INVALIDARG;
  if (row >= 0) return Give(NewBstrFromCp932(source->Model().Text(row)), name);
  const std::wstring caption = FramingGroupCaption(source->Hwnd());
  if (caption.empty()) return S_FALSE;
  return Give(SysAllocStringLen(caption.data(), static_cast<UINT>(caption.size())), name);
}

HRESULT BoxAccessible::get_accValue(VARIANT child, BSTR* value) {
  if (value == nullptr) return E_POINTER;
  *value = nullptr;
  if (Live() == nullptr) return RPC_E_DISCONNECTED;
  return RowOf(child) != -2 ? S_FALSE : E_INVALIDARG;
}

HRESULT BoxAccessible::get_accDescription(VARIANT child, BSTR* description) {
  if (description == nullptr) return E_POINTER;
  *description = nullptr;
  AccessibleSource* source = Live();
  if (source == nullptr) return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row == -2) return E_INVALIDARG;
  // An item's due date, as its date cell shows it; none where the box shows no dates.
  if (row < 0 || !source->Model().IsChecked() || !source->DatesShown()) return S_FALSE;
  char date[16];
  FormatDate(source->Model().RowAt(row)->data, date, sizeof(date));
  if (date[0] == '\0') return S_FALSE;
  return Give(NewBstrFromCp932(date), description);
}

HRESULT BoxAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (role == nullptr) return E_POINTER;
  SetEmpty(role);
  if (Live() == nullptr) return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row == -2) return E_INVALIDARG;
  SetInteger(role, row < 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM);
  return S_OK;
}

HRESULT BoxAccessible::get_accState(VARIANT child, VARIANT* state) {
  if (state == nullptr) return E_POINTER;
  SetEmpty(state);
  AccessibleSource* source = Live();
  if (source == nullptr) return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row == -2) return E_INVALIDARG;
  const HWND hwnd = source->Hwnd();
  const bool focused = source->HasFocusWithin();
  LONG flags = 0;
  if (!IsWindowVisible(hwnd)) flags |= STATE_SYSTEM_INVISIBLE;
  if (row < 0) {
    flags |= IsWindowEnabled(hwnd) ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
    if (GetFocus() == hwnd) flags |= STATE_SYSTEM_FOCUSED;
    SetInteger(state, flags);
    return S_OK;
  }
  const ListModel& model = source->Model();
  flags |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
  if (row == model.Selection()) {
    flags |= STATE_SYSTEM_SELECTED;
    if (focused) flags |= STATE_SYSTEM_FOCUSED;
  }
  if (model.IsChecked() && model.RowAt(row)->check != 0) flags |= STATE_SYSTEM_CHECKED;
  if (!RowInView(source->Layout(), row)) flags |= STATE_SYSTEM_OFFSCREEN;
  SetInteger(state, flags);
  return S_OK;
}

HRESULT BoxAccessible::get_accHelp(VARIANT child, BSTR* help) {
  if (help == nullptr) return E_POINTER;
  *help = nullptr;
  if (Live() == nullptr) return RPC_E_DISCONNECTED;
  return RowOf(child) != -2 ? S_FALSE : E_INVALIDARG;
}

HRESULT BoxAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
  if (file == nullptr || topic == nullptr) return E_POINTER;
  *file = nullptr;
  *topic = -1;
  if (Live() == nullptr) return RPC_E_DISCONNECTED;
  return RowOf(child) != -2 ? S_FALSE : E_INVALIDARG;
}

HRESULT BoxAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  if (shortcut == nullptr) return E_POINTER;
  *shortcut = nullptr;
  if (Live() == nullptr) return RPC_E_DISCONNECTED;
  return RowOf(child) != -2 ? S_FALSE : E_INVALIDARG;
}

HRESULT BoxAccessible::get_accFocus(VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  SetEmpty(child);
  AccessibleSource* source = Live();
  if (source == nullptr) return RPC_E_DISCONNECTED;
  if (!source->HasFocusWithin()) return S_FALSE;
  const HWND focus = GetFocus();
  if (focus != source->Hwnd()) {
    // An in-place editor has it: the editor's own window object.
    IDispatch* editor = nullptr;
    if (FAILED(AccessibleObjectFromWindow(focus, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                          reinterpret_cast<void**>(&editor)))) {
      return S_FALSE;
    }
    child->vt = VT_DISPATCH;
    child->pdispVal = editor;
    return S_OK;
  }
  const int selected = source->Model().Selection();
  SetInteger(child, selected >= 0 ? selected + 1 : CHILDID_SELF);
  return S_OK;
}

HRESULT BoxAccessible::get_accSelection(VARIANT* children) {
  if (children == nullptr) return E_POINTER;
  SetEmpty(children);
  AccessibleSource* source = Live();
  if (source == nullptr) return RPC_E_DISCONNECTED;
  const int selected = source->Model().Selection();
  if (selected < 0) return S_FALSE;
  SetInteger(children, selected + 1);
  return S_OK;
}

HRESULT BoxAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (action == nullptr) return E_POINTER;
  *action = nullptr;
  if (Live() == nullptr) return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row == -2) return E_INVALIDARG;
  const wchar_t* text = row >= 0 ? DefaultAction(row) : nullptr;
  if (text == nullptr) return S_FALSE;
  return Give(SysAllocString(text), action);
}

HRESULT BoxAccessible::accSelect(LONG, VARIANT child) {
  if (Live() == nullptr) return RPC_E_DISCONNECTED;
  // Selecting without the owner's say would bypass the events a selection move raises.
  return RowOf(child) != -2 ? DISP_E_MEMBERNOTFOUND : E_INVALIDARG;
}

HRESULT BoxAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                   VARIANT child) {
  if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
    return E_POINTER;
  }
  *left = *top = *width = *height = 0;
  AccessibleSource* source = Live();
  if (source == nullptr) return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row == -2) return E_INVALIDARG;
  RECT rect{};
  if (row < 0) {
    GetClientRect(source->Hwnd(), &rect);
  } else {
    rect = source->Layout().RowRect(row);
  }
  MapWindowPoints(source->Hwnd(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
  *left = rect.left;
  *top = rect.top;
  *width = rect.right - rect.left;
  *height = rect.bottom - rect.top;
  return S_OK;
}

HRESULT BoxAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
  if (end == nullptr) return E_POINTER;
  SetEmpty(end);
  AccessibleSource* source = Live();
  if (source == nullptr) return RPC_E_DISCONNECTED;
  const int row = RowOf(start);
  if (row == -2) return E_INVALIDARG;
  const int count = source->Model().Count();
  int target = -1;
  if (row < 0) {
    // From the box: into its rows. Its neighbours are the window's business.
    if (direction == NAVDIR_FIRSTCHILD && count > 0) target = 0;
    if (direction == NAVDIR_LASTCHILD && count > 0) target = count - 1;
  } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
    target = row + 1 < count ? row + 1 : -1;
  } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
    target = row - 1;
  }
  if (target < 0) return S_FALSE;
  SetInteger(end, target + 1);
  return S_OK;
}

HRESULT BoxAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
  if (child == nullptr) return E_POINTER;
  SetEmpty(child);
  AccessibleSource* source = Live();
  if (source == nullptr) return RPC_E_DISCONNECTED;
  POINT point{x, y};
  RECT client{};
  ScreenToClient(source->Hwnd(), &point);
  GetClientRect(source->Hwnd(), &client);
  if (!PtInRect(&client, point)) return S_FALSE;
  const int row = source->Layout().RowAt(point.y);
  SetInteger(child, row >= 0 ? row + 1 : CHILDID_SELF);
  return S_OK;
}

HRESULT BoxAccessible::accDoDefaultAction(VARIANT child) {
  AccessibleSource* source = Live();
  if (source == nullptr) return RPC_E_DISCONNECTED;
  const int row = RowOf(child);
  if (row == -2) return E_INVALIDARG;
  if (row < 0) return DISP_E_MEMBERNOTFOUND;
  return source->RequestDefaultAction(row) ? S_OK : E_FAIL;
}

HRESULT BoxAccessible::put_accName(VARIANT, BSTR) {
  return Live() != nullptr ? E_NOTIMPL : RPC_E_DISCONNECTED;
}

HRESULT BoxAccessible::put_accValue(VARIANT, BSTR) {
  return Live() != nullptr ? E_NOTIMPL : RPC_E_DISCONNECTED;
}

}  // namespace quarn::win32
