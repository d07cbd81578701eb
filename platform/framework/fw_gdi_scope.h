#pragma once
// Owners of the GDI handles made while painting: each gives its handle back when it
// goes out of scope, so no early return can leak one or leave a device context changed.

#include <windows.h>

namespace fw {

// A GDI object we made (bitmap, brush, pen): deleted at the end.
template <typename Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle = nullptr) : m_handle(handle) {}
  ~GdiObject() {
    if (m_handle != nullptr) DeleteObject(m_handle);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const { return m_handle; }

 private:
  Handle m_handle;
};

// A memory device context like `like` (or like the screen when null).
class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : m_dc(CreateCompatibleDC(like)) {}
  ~MemoryDc() {
    if (m_dc != nullptr) DeleteDC(m_dc);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
};

// Selects an object into a device context and puts the one it replaced back at the end.
// Ok() is false when the object could not be selected (a bitmap already selected elsewhere).
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object)
      : m_dc(dc), m_previous(object != nullptr ? SelectObject(dc, object) : nullptr) {}
  ~Selection() {
    if (m_previous != nullptr && m_previous != HGDI_ERROR) SelectObject(m_dc, m_previous);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

  bool Ok() const { return m_previous != nullptr && m_previous != HGDI_ERROR; }

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

// The paint context of one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : m_hwnd(hwnd), m_paint{}, m_dc(BeginPaint(hwnd, &m_paint)) {}
  ~PaintScope() { EndPaint(m_hwnd, &m_paint); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;

  HDC Dc() const { return m_dc; }
  const RECT& Area() const { return m_paint.rcPaint; }

 private:
  HWND m_hwnd;
  PAINTSTRUCT m_paint;
  HDC m_dc;
};

}  // namespace fw
