#include "plugin/renamed_accessible.h"

namespace todo {

namespace {

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

}  // namespace

HRESULT RenamedAccessible::get_accName(VARIANT child, BSTR* name) {
  if (!IsSelf(child)) return m_inner->get_accName(child, name);
  if (name == nullptr) return E_POINTER;
  *name = m_ole->sysAllocStringLen(m_facts.name.data(), static_cast<UINT>(m_facts.name.size()));
  return *name != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT RenamedAccessible::get_accRole(VARIANT child, VARIANT* role) {
  if (!IsSelf(child) || m_facts.role == 0) return m_inner->get_accRole(child, role);
  if (role == nullptr) return E_POINTER;
  role->vt = VT_I4;
  role->lVal = m_facts.role;
  return S_OK;
}

HRESULT RenamedAccessible::get_accState(VARIANT child, VARIANT* state) {
  const HRESULT result = m_inner->get_accState(child, state);
  if (!IsSelf(child) || !m_facts.checkable || result != S_OK || state->vt != VT_I4) return result;
  state->lVal = WithCheckedState(m_control, state->lVal);
  return S_OK;
}

}  // namespace todo
