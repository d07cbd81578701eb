#pragma once
// Owners of GDI objects: each deletes its object when it is destroyed or given another.

#include <windows.h>

class CGdiObject {
 public:
  CGdiObject() = default;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;
  virtual ~CGdiObject() { DeleteObject(); }

  // Deletes the object; true when there was one and it was deleted.
  BOOL DeleteObject();
  // Takes ownership of an object (deleting any held before).
  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  HGDIOBJ m_hObject = nullptr;
};

class CBitmap : public CGdiObject {
 public:
  // Loads a bitmap resource of this module by number or by name.
  BOOL LoadBitmap(UINT id);
  BOOL LoadBitmap(const char* name);
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }  // NOLINT
  // The bitmap's size in pixels, or 0 x 0 when there is none.
  SIZE GetSize() const;
};

class CFont : public CGdiObject {
 public:
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                  BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                  BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* faceName);
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }  // NOLINT
};

class CBrush : public CGdiObject {
 public:
  BOOL CreateSolidBrush(COLORREF colour);
  operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }  // NOLINT
};
