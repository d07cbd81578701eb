#include "plugin/accessible_names.h"

#include <commctrl.h>
#include <oleacc.h>

#include <memory>
#include <string>

#include "framework/fw_com.h"
#include "plugin/accessible_facts.h"
#include "plugin/ole_functions.h"
#include "plugin/renamed_accessible.h"
#include "plugin/tool_texts.h"
#include "resources/resource_ids.h"

namespace todo {

namespace {

constexpr UINT_PTR kNameSubclassId = 0x4E41;  // "NA"

// Answers the state of a checkable button for the annotation service, from the button's
// window each time it is asked, since it changes with every click.
class CheckedStateServer final : public fw::ComObject<IAccPropServer, IID_IAccPropServer> {
 public:
  explicit CheckedStateServer(HWND button) : m_button(button) {}

  HRESULT STDMETHODCALLTYPE GetPropValue(const BYTE*, DWORD, MSAAPROPID property, VARIANT* value,
                                         BOOL* has) override {
    if (value == nullptr || has == nullptr) return E_POINTER;
    *has = FALSE;
    if (!IsEqualGUID(property, PROPID_ACC_STATE) || !IsWindow(m_button)) return S_OK;
    value->vt = VT_I4;
    value->lVal = CheckableButtonState(m_button);
    *has = TRUE;
    return S_OK;
  }

 private:
  ~CheckedStateServer() override = default;

  HWND m_button;
};

// What one named control keeps until its window goes: what it is called, the thread's place
// in a COM apartment (annotations and the objects handed out need it), and the annotation
// service when the facts went that way.
struct NamedControl {
  NamedControl(std::shared_ptr<const OleFunctions> functions, AccessibleFacts what)
      : ole(functions), apartment(functions), facts(std::move(what)) {}
  ~NamedControl() { annotations.Reset(); }  // before the apartment is left
  std::shared_ptr<const OleFunctions> ole;
  Apartment apartment;
  AccessibleFacts facts;
  fw::ComPtr<IAccPropServices> annotations;
};

// Clears every property a control may have been annotated with.
void ClearAnnotations(HWND control, IAccPropServices* services) {
  const MSAAPROPID annotated[] = {PROPID_ACC_NAME, PROPID_ACC_ROLE, PROPID_ACC_STATE};
  services->ClearHwndProps(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, annotated,
                           static_cast<int>(sizeof(annotated) / sizeof(annotated[0])));
}

// Annotates the control with every fact, or with none when the platform refuses one.
bool Annotate(HWND control, NamedControl& named) {
  fw::ComPtr<IAccPropServices> services;
  if (FAILED(named.ole->coCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IAccPropServices, services.OutVoid()))) {
    return false;
  }
  const DWORD client = static_cast<DWORD>(OBJID_CLIENT);
  bool ok = SUCCEEDED(services->SetHwndPropStr(control, client, CHILDID_SELF, PROPID_ACC_NAME,
                                               named.facts.name.c_str()));
  if (ok && named.facts.role != 0) {
    VARIANT role;
    role.vt = VT_I4;
    role.lVal = named.facts.role;
    ok = SUCCEEDED(services->SetHwndProp(control, client, CHILDID_SELF, PROPID_ACC_ROLE, role));
  }
  if (ok && named.facts.checkable) {
    fw::ComPtr<IAccPropServer> state(new CheckedStateServer(control));
    ok = SUCCEEDED(services->SetHwndPropServer(control, client, CHILDID_SELF, &PROPID_ACC_STATE, 1,
                                               state.Get(), ANNO_THIS));
  }
  if (!ok) {
    ClearAnnotations(control, services.Get());
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
  fw::ComPtr<IAccessible> renamed(new RenamedAccessible(named.ole, standard, control, named.facts));
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
      if (named->annotations) ClearAnnotations(control, named->annotations.Get());
      RemoveWindowSubclass(control, &NamedControlProc, id);
      delete named;
      return DefSubclassProc(control, message, wParam, lParam);
    }
    default:
      break;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

void Name(const std::shared_ptr<const OleFunctions>& ole, HWND control, AccessibleFacts facts) {
  if (control == nullptr) return;
  auto* named = new NamedControl(ole, std::move(facts));
  if (!named->apartment.Ok()) {
    delete named;
    return;
  }
  Annotate(control, *named);
  // The control keeps what it needs until its window goes, to answer WM_GETOBJECT where there
  // is no annotation and to clear the annotations where there are some.
  if (!SetWindowSubclass(control, &NamedControlProc, kNameSubclassId,
                         reinterpret_cast<DWORD_PTR>(named))) {
    if (named->annotations) ClearAnnotations(control, named->annotations.Get());
    delete named;
  }
}

// A code page 932 text of the tool's as UTF-16.
std::wstring Wide(const char* text) {
  const int length = MultiByteToWideChar(932, 0, text, -1, nullptr, 0);
  if (length <= 1) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(932, 0, text, -1, &wide[0], length);
  wide.resize(static_cast<std::size_t>(length - 1));
  return wide;
}

// A button read as a push button by the name of its command; the mode buttons also as
// checked or not.
AccessibleFacts ButtonFacts(const ControlText& text) {
  AccessibleFacts facts;
  facts.name = Wide(text.text);
  facts.role = ROLE_SYSTEM_PUSHBUTTON;
  facts.checkable = text.id == IDC_MODE_LIST || text.id == IDC_MODE_ITEM;
  return facts;
}

}  // namespace

void NameControlsForScreenReaders(HWND dialog) {
  const std::shared_ptr<const OleFunctions> ole = OleFunctions::Load();
  if (ole == nullptr) return;
  Name(ole, GetDlgItem(dialog, IDC_DATE), AccessibleFacts{L"期限日"});
  Name(ole, GetDlgItem(dialog, IDC_TEXT), AccessibleFacts{L"新規入力"});
  for (const ControlText& button : kButtonTips) {
    Name(ole, GetDlgItem(dialog, button.id), ButtonFacts(button));
  }
  for (const ControlText& button : kUntippedButtonNames) {
    Name(ole, GetDlgItem(dialog, button.id), ButtonFacts(button));
  }
}

}  // namespace todo
