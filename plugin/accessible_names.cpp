#include "plugin/accessible_names.h"

#include <commctrl.h>
#include <oleacc.h>

#include <memory>
#include <string>

#include "framework/fw_com.h"
#include "plugin/system_library.h"
#include "resources/resource_ids.h"

namespace todo {

namespace {

constexpr UINT_PTR kNameSubclassId = 0x4E41;  // "NA"

// The few functions of COM and Active Accessibility the names need, from the platform's own
// libraries in the system folder, loaded when the window is made: the module then loads where
// they are missing (the window simply has no names there) and needs nothing beside it but what
// it always did. Whoever holds the table keeps the libraries loaded.
class OleFunctions {
 public:
  // Null when a library or a function is missing.
  static std::shared_ptr<const OleFunctions> Load() {
    std::shared_ptr<OleFunctions> table(new OleFunctions);
    return table->Complete() ? table : nullptr;
  }
  OleFunctions(const OleFunctions&) = delete;
  OleFunctions& operator=(const OleFunctions&) = delete;

  HRESULT(WINAPI* coInitializeEx)(void*, DWORD) = nullptr;
  void(WINAPI* coUninitialize)() = nullptr;
  HRESULT(WINAPI* coCreateInstance)(REFCLSID, IUnknown*, DWORD, REFIID, void**) = nullptr;
  BSTR(WINAPI* sysAllocStringLen)(const OLECHAR*, UINT) = nullptr;
  HRESULT(WINAPI* createStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
  LRESULT(WINAPI* lresultFromObject)(REFIID, WPARAM, IUnknown*) = nullptr;

 private:
  OleFunctions() : m_ole32(L"ole32.dll"), m_oleaut32(L"oleaut32.dll"), m_oleacc(L"oleacc.dll") {
    m_ole32.Find("CoInitializeEx", &coInitializeEx);
    m_ole32.Find("CoUninitialize", &coUninitialize);
    m_ole32.Find("CoCreateInstance", &coCreateInstance);
    m_oleaut32.Find("SysAllocStringLen", &sysAllocStringLen);
    m_oleacc.Find("CreateStdAccessibleObject", &createStdAccessibleObject);
    m_oleacc.Find("LresultFromObject", &lresultFromObject);
  }
  bool Complete() const {
    return coInitializeEx != nullptr && coUninitialize != nullptr && coCreateInstance != nullptr &&
           sysAllocStringLen != nullptr && createStdAccessibleObject != nullptr &&
           lresultFromObject != nullptr;
  }

  SystemLibrary m_ole32;
  SystemLibrary m_oleaut32;
  SystemLibrary m_oleacc;
};

// The thread in a single-threaded apartment while the owner lives (see fw::ComApartment).
class Apartment {
 public:
  explicit Apartment(std::shared_ptr<const OleFunctions> ole)
      : m_ole(std::move(ole)), m_result(m_ole->coInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~Apartment() {
    if (SUCCEEDED(m_result)) m_ole->coUninitialize();
  }
  Apartment(const Apartment&) = delete;
  Apartment& operator=(const Apartment&) = delete;
  bool Ok() const { return SUCCEEDED(m_result) || m_result == RPC_E_CHANGED_MODE; }

 private:
  std::shared_ptr<const OleFunctions> m_ole;
  HRESULT m_result;
};

// The standard object of a control's client area with another name for the control itself;
// everything else is the standard object's answer. It holds no pointer into the window, so
// it stays safe to call after the window is gone (the standard object then answers itself).
class RenamedAccessible final : public fw::AccessibleObject {
 public:
  RenamedAccessible(std::shared_ptr<const OleFunctions> ole, fw::ComPtr<IAccessible> inner,
                    std::wstring name)
      : m_ole(std::move(ole)), m_inner(std::move(inner)), m_name(std::move(name)) {}
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (child.vt != VT_I4 || child.lVal != CHILDID_SELF) return m_inner->get_accName(child, name);
    if (name == nullptr) return E_POINTER;
    *name = m_ole->sysAllocStringLen(m_name.data(), static_cast<UINT>(m_name.size()));
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  // The rest as the standard object answers.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return m_inner->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return m_inner->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return m_inner->GetIDsOfNames(id, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument) override {
    return m_inner->Invoke(member, id, locale, flags, params, result, exception, argument);
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return m_inner->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return m_inner->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return m_inner->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return m_inner->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return m_inner->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return m_inner->get_accRole(child, role);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return m_inner->get_accState(child, state);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return m_inner->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return m_inner->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return m_inner->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return m_inner->get_accFocus(child);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return m_inner->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    return m_inner->get_accDefaultAction(child, action);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return m_inner->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return m_inner->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return m_inner->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return m_inner->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return m_inner->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return m_inner->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return m_inner->put_accValue(child, value);
  }

 private:
  ~RenamedAccessible() override = default;

  std::shared_ptr<const OleFunctions> m_ole;  // keeps the standard object's library loaded
  fw::ComPtr<IAccessible> m_inner;
  std::wstring m_name;
};

// What one named control keeps until its window goes: the name, the thread's place in a COM
// apartment (annotations and the objects handed out need it), and the annotation service when
// the name went that way.
struct NamedControl {
  NamedControl(std::shared_ptr<const OleFunctions> functions, const wchar_t* text)
      : ole(functions), apartment(functions), name(text) {}
  ~NamedControl() { annotations.Reset(); }  // before the apartment is left
  std::shared_ptr<const OleFunctions> ole;
  Apartment apartment;
  std::wstring name;
  fw::ComPtr<IAccPropServices> annotations;
};

bool Annotate(HWND control, NamedControl& named) {
  fw::ComPtr<IAccPropServices> services;
  if (FAILED(named.ole->coCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IAccPropServices, services.OutVoid()))) {
    return false;
  }
  if (FAILED(services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                      PROPID_ACC_NAME, named.name.c_str()))) {
    return false;
  }
  named.annotations = services;
  return true;
}

LRESULT AnswerRenamed(HWND control, WPARAM wParam, const NamedControl& named) {
  fw::ComPtr<IAccessible> standard;
  if (FAILED(named.ole->createStdAccessibleObject(control, OBJID_CLIENT, IID_IAccessible,
                                                  standard.OutVoid()))) {
    return 0;
  }
  fw::ComPtr<IAccessible> renamed(new RenamedAccessible(named.ole, standard, named.name));
  return named.ole->lresultFromObject(IID_IAccessible, wParam, renamed.Get());
}

LRESULT CALLBACK NamedControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR id, DWORD_PTR data) {
  auto* named = reinterpret_cast<NamedControl*>(data);
  switch (message) {
    case WM_GETOBJECT:
      if (!named->annotations && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT) {
        return AnswerRenamed(control, wParam, *named);
      }
      break;
    case WM_NCDESTROY: {
      // An annotation left behind would name whatever window gets this handle next.
      if (named->annotations) {
        const MSAAPROPID property = PROPID_ACC_NAME;
        named->annotations->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                           &property, 1);
      }
      RemoveWindowSubclass(control, &NamedControlProc, id);
      delete named;
      return DefSubclassProc(control, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

void Name(const std::shared_ptr<const OleFunctions>& ole, HWND control, const wchar_t* name) {
  if (control == nullptr) return;
  auto* named = new NamedControl(ole, name);
  if (!named->apartment.Ok()) {
    delete named;
    return;
  }
  Annotate(control, *named);
  // The control keeps what it needs until its window goes, to answer WM_GETOBJECT where there
  // is no annotation and to clear the annotation where there is one.
  if (!SetWindowSubclass(control, &NamedControlProc, kNameSubclassId,
                         reinterpret_cast<DWORD_PTR>(named))) {
    if (named->annotations) {
      const MSAAPROPID property = PROPID_ACC_NAME;
      named->annotations->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                         &property, 1);
    }
    delete named;
  }
}

}  // namespace

void NameControlsForScreenReaders(HWND dialog) {
  const std::shared_ptr<const OleFunctions> ole = OleFunctions::Load();
  if (ole == nullptr) return;
  Name(ole, GetDlgItem(dialog, IDC_DATE), L"期限日");
  Name(ole, GetDlgItem(dialog, IDC_TEXT), L"新規入力");
}

}  // namespace todo
