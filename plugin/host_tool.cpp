// The host's abstract tool class, which CToDoTool derives from: its making from the dialog
// template and the two tool bitmaps it owns.

#include "contract/host_interface.h"

CHostTool::CHostTool(UINT nIDTemplate, CWnd* pHostWnd)
    : CDialog(nIDTemplate, pHostWnd), m_pHostWnd(pHostWnd) {}

CHostTool::~CHostTool() {
  if (m_hBitmap256) DeleteObject(m_hBitmap256);
  if (m_hBitmap16) DeleteObject(m_hBitmap16);
}

BOOL CHostTool::CreateFromTemplate(UINT nTemplateId, CWnd* pParent) {
  return Create(LOWORD(nTemplateId), pParent);
}
