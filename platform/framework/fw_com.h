#pragma once
// Owners of COM things: a reference to an interface (released when the owner goes), a BSTR
// (freed) and a thread's membership of a single-threaded apartment (left again); and the
// IUnknown part of our accessible objects. Header only, for the list-control library and the
// tool window alike.

#include <windows.h>

#include <objbase.h>
#include <oleacc.h>
#include <oleauto.h>

#include <utility>

namespace fw {

// One reference to a COM object.
template <class Interface>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller holds.
  explicit ComPtr(Interface* object) : m_object(object) {}
  ComPtr(const ComPtr& other) : m_object(other.m_object) {
    if (m_object != nullptr) m_object->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : m_object(other.m_object) { other.m_object = nullptr; }
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(m_object, other.m_object);
    return *this;
  }
  ~ComPtr() { Reset(); }

  Interface* Get() const { return m_object; }
  Interface* operator->() const { return m_object; }
  explicit operator bool() const { return m_object != nullptr; }
  // Releases the reference held, if any.
  void Reset() {
    Interface* object = m_object;
    m_object = nullptr;
    if (object != nullptr) object->Release();
  }
  // Where a function that hands out a reference puts it; any reference held is released first.
  Interface** Out() {
    Reset();
    return &m_object;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  // Gives the reference to the caller.
  Interface* Detach() {
    Interface* object = m_object;
    m_object = nullptr;
    return object;
  }

 private:
  Interface* m_object = nullptr;
};

// A BSTR we were given: freed at the end.
class UniqueBstr {
 public:
  UniqueBstr() = default;
  explicit UniqueBstr(BSTR text) : m_text(text) {}
  UniqueBstr(const UniqueBstr&) = delete;
  UniqueBstr& operator=(const UniqueBstr&) = delete;
  ~UniqueBstr() { SysFreeString(m_text); }

  BSTR Get() const { return m_text; }
  BSTR* Out() {
    SysFreeString(m_text);
    m_text = nullptr;
    return &m_text;
  }

 private:
  BSTR m_text = nullptr;
};

// A VARIANT we hold: cleared (its reference or string released) at the end.
class UniqueVariant {
 public:
  UniqueVariant() { VariantInit(&m_value); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;
  ~UniqueVariant() { VariantClear(&m_value); }

  const VARIANT& Get() const { return m_value; }
  VARIANT* Out() {
    VariantClear(&m_value);
    return &m_value;
  }

 private:
  VARIANT m_value;
};

// The calling thread in a single-threaded apartment for the owner's lifetime. Joining a thread
// that is in one already only counts once more; a thread in the multithreaded apartment stays
// there (Ok() is still true: COM works on it). The owner must go on the thread that made it.
class ComApartment {
 public:
  ComApartment() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (SUCCEEDED(m_result)) CoUninitialize();
  }

  bool Ok() const { return SUCCEEDED(m_result) || m_result == RPC_E_CHANGED_MODE; }

 private:
  HRESULT m_result;
};

// The IUnknown part of a COM object of ours that offers one interface, `Interface`, known by
// `kId`, and `kAlso` where that interface is built on another (IDispatch for IAccessible). It
// answers for those and IUnknown only: handing out another object's interfaces would let a
// caller that asks them back reach an object without our answers. A new object holds one
// reference, its maker's; the last Release deletes it.
template <typename Interface, const IID& kId, const IID& kAlso = IID_IUnknown>
class ComObject : public Interface {
 public:
  ComObject() = default;
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, kAlso) || IsEqualIID(id, kId)) {
      *object = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&m_references));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&m_references);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  virtual ~ComObject() = default;

 private:
  LONG m_references = 1;
};

// An accessible object of ours: it answers for IUnknown, IDispatch and IAccessible.
using AccessibleObject = ComObject<IAccessible, IID_IAccessible, IID_IDispatch>;

}  // namespace fw
