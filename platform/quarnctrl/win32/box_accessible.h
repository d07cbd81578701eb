#pragma once
// What a screen reader sees of a box (Active Accessibility): the box is a list named after the
// group box that frames it, and each row is one of its items (child ids 1 to the row count),
// named by the row's text. An item of the item box is checked when its row is done, and has
// the due date as its description while the box shows dates. Rows are selectable and
// focusable; the selected row is selected, and focused while the box has the focus.
//
// The object is reference counted and may outlive its window: the window disconnects it when
// it goes, and from then on every call answers RPC_E_DISCONNECTED without touching the box.
// All calls come on the window's thread (COM calls them there, the window's thread being a
// single-threaded apartment).

#include <windows.h>

#include <oleacc.h>

#include "framework/fw_com.h"
#include "quarnctrl/quarn_model.h"
#include "quarnctrl/win32/list_layout.h"

namespace quarn::win32 {

// What the object asks of the box's window.
class AccessibleSource {
 public:
  virtual HWND Hwnd() const = 0;
  virtual const ListModel& Model() const = 0;
  // Where rows and cells lie now.
  virtual ListLayout Layout() const = 0;
  // The date column is in view (an item box whose text column does not hide it).
  virtual bool DatesShown() const = 0;
  // The keyboard focus is in the box or its editor.
  virtual bool HasFocusWithin() const = 0;
  // Asks for the row's default action to be done as soon as the window's thread handles its
  // messages (so that a message box the owner shows meanwhile never holds up the caller).
  // False when it could not be asked for.
  virtual bool RequestDefaultAction(int row) = 0;

 protected:
  ~AccessibleSource() = default;
};

class BoxAccessible final : public fw::AccessibleObject {
 public:
  // The new object holds one reference, the caller's.
  explicit BoxAccessible(AccessibleSource* source) : m_source(source) {}

  // The window is going: the object no longer reaches it.
  void Disconnect() { m_source = nullptr; }

  // IDispatch: no type information; clients call the IAccessible methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override;
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

 private:
  ~BoxAccessible() override = default;
  // The source while the window lives and holds a real window; null afterwards.
  AccessibleSource* Live() const;
  // The row a child id names: -1 for the box itself (CHILDID_SELF), -2 for an id that names
  // nothing.
  int RowOf(const VARIANT& child) const;
  // The text of a row's default action, or null when a press on it does nothing.
  const wchar_t* DefaultAction(int row) const;

  AccessibleSource* m_source;
};

}  // namespace quarn::win32
