#pragma once
// Reading a window's accessible object as a screen reader does: the object of its client area,
// and what it says of itself or of one of its rows. Header only; the screen-reader printer and
// the tests of the list boxes both read through it.

#include <windows.h>

#include <oleacc.h>

#include <optional>
#include <string>

#include "framework/fw_com.h"

namespace accessible {

// A child id as the methods take it: CHILDID_SELF for the object itself, 1... for its rows.
inline VARIANT Child(LONG id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

// The object a screen reader gets for the window's client area (OBJID_CLIENT), or null.
inline fw::ComPtr<IAccessible> OfWindow(HWND hwnd) {
  fw::ComPtr<IAccessible> object;
  if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        object.OutVoid()))) {
    object.Reset();
  }
  return object;
}

// What one of the getters below answered: the text or number, or nothing when the object
// gave none (S_FALSE, an error, a null text, a VARIANT that holds no number).
inline std::optional<std::wstring> TextIn(HRESULT result, const fw::UniqueBstr& text) {
  if (result != S_OK || text.Get() == nullptr) return std::nullopt;
  return std::wstring(text.Get(), SysStringLen(text.Get()));
}
inline std::optional<LONG> NumberIn(HRESULT result, const fw::UniqueVariant& value) {
  if (result != S_OK || value.Get().vt != VT_I4) return std::nullopt;
  return value.Get().lVal;
}

inline std::optional<std::wstring> Name(IAccessible* object, LONG id) {
  fw::UniqueBstr text;
  const HRESULT result = object->get_accName(Child(id), text.Out());
  return TextIn(result, text);
}
inline std::optional<std::wstring> Description(IAccessible* object, LONG id) {
  fw::UniqueBstr text;
  const HRESULT result = object->get_accDescription(Child(id), text.Out());
  return TextIn(result, text);
}
inline std::optional<std::wstring> DefaultAction(IAccessible* object, LONG id) {
  fw::UniqueBstr text;
  const HRESULT result = object->get_accDefaultAction(Child(id), text.Out());
  return TextIn(result, text);
}
inline std::optional<LONG> Role(IAccessible* object, LONG id) {
  fw::UniqueVariant role;
  const HRESULT result = object->get_accRole(Child(id), role.Out());
  return NumberIn(result, role);
}
inline std::optional<LONG> State(IAccessible* object, LONG id) {
  fw::UniqueVariant state;
  const HRESULT result = object->get_accState(Child(id), state.Out());
  return NumberIn(result, state);
}

}  // namespace accessible
