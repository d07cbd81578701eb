#pragma once
// The few Windows type names that portable code shares with the Windows build: handles it only
// passes along, colours, rectangles and dates. The Windows build takes them from the Windows
// headers, so values cross into Win32 calls unchanged; the native build defines look-alikes
// with the same sizes.

#if defined(_WIN32)
#include <windef.h>
#include <minwinbase.h>
#ifndef RGB
// The same definition as the Windows graphics header's, so that both may be included.
// clang-format off
#define RGB(r,g,b) ((COLORREF)(((BYTE)(r)|((WORD)((BYTE)(g))<<8))|(((DWORD)(BYTE)(b))<<16)))
// clang-format on
#endif
#else
#include <cstdint>

typedef std::uint32_t DWORD;
typedef std::uint16_t WORD;
typedef DWORD COLORREF;

struct HWND__;
struct HBITMAP__;
struct HFONT__;
typedef HWND__* HWND;
typedef HBITMAP__* HBITMAP;
typedef HFONT__* HFONT;

struct RECT {
  long left;
  long top;
  long right;
  long bottom;
};

struct SYSTEMTIME {
  WORD wYear;
  WORD wMonth;
  WORD wDayOfWeek;
  WORD wDay;
  WORD wHour;
  WORD wMinute;
  WORD wSecond;
  WORD wMilliseconds;
};

#ifndef RGB
#define RGB(r, g, b)                                                   \
  ((COLORREF)(((std::uint8_t)(r)) | ((WORD)((std::uint8_t)(g)) << 8) | \
              (((DWORD)(std::uint8_t)(b)) << 16)))
#endif
#endif
