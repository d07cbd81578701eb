#pragma once
// The functions of COM and Active Accessibility that the screen-reader names of the tool
// window's controls need (accessible_names.cpp), and a thread's place in a COM apartment
// through them.

#include <windows.h>

#include <oleacc.h>

#include <memory>

#include "plugin/system_library.h"

namespace todo {

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

}  // namespace todo
