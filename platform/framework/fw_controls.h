#pragma once
// Controls of the framework: a push button drawn from four bitmaps, and the tooltip control.

#include <windows.h>

#include "framework/fw_gdi.h"
#include "framework/fw_window.h"

// An owner-drawn button showing one of four bitmaps: normal, pressed, focused, disabled.
class CBitmapButton : public CWnd {
 public:
  // Attaches to the parent's owner-drawn button `id` and loads the bitmaps named after its
  // caption with the endings U, D, F and X; then takes the size of the normal image.
  // Fails when the control is missing or the normal image cannot be loaded.
  BOOL AutoLoad(UINT id, CWnd* pParent);
  // Loads the four images by name; only the normal one is required.
  BOOL LoadBitmaps(const char* normal, const char* pressed, const char* focused,
                   const char* disabled);
  // Resizes the button to its normal image.
  void SizeToContent() const;
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 protected:
  // Paints the image for the item's state.
  virtual void DrawItem(const DRAWITEMSTRUCT& item);

  CBitmap m_bitmap;
  CBitmap m_bitmapSel;
  CBitmap m_bitmapFocus;
  CBitmap m_bitmapDisabled;
};

// The tooltip control. Tools are whole child windows; the owner relays mouse messages.
class CToolTipCtrl : public CWnd {
 public:
  // Makes the control as a pop-up owned by pParentWnd.
  BOOL Create(CWnd* pParentWnd, DWORD style = 0);
  // Shows text while the mouse rests on the window hTool (a child of the owner).
  BOOL AddTool(HWND hTool, const char* text);
  void SetDelayTime(DWORD which, int milliseconds) const;
  void RelayEvent(MSG* pMsg) const;
};
