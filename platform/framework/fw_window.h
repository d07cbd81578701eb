#pragma once
// CWnd: a C++ object attached to a window handle. Once attached, every message of the
// window goes through WindowProc: the class's message map first, then DefWindowProc, which
// hands the message to the window's original procedure. All calls on a CWnd whose window
// exists must come from the thread that owns the window, unless a comment says otherwise.

#include <windows.h>

#include "framework/fw_message_map.h"

class CDataExchange;

class CWnd {
 public:
  CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  // Destroys the window if it still exists.
  virtual ~CWnd();

  // The class's message map (see fw_message_map.h).
  virtual const MessageMap* GetMessageMap() const;
  // Moves data between controls and members; the framework's classes do nothing here.
  virtual void DoDataExchange(CDataExchange* pDX);
  // Called by a message loop for each message before it is dispatched; true means the
  // message was handled and must not be dispatched.
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Routes one message: the message map, else DefWindowProc.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The default processing of a message: the window's original procedure.
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // A message the parent received on behalf of this control (WM_DRAWITEM); true when the
  // control handled it and set *pResult.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  // Called after the window's last message (WM_NCDESTROY), when m_hWnd is already null.
  virtual void PostNcDestroy();

  // Makes a top-level or child window of the framework's own window class, attached to this
  // object from its first message on.
  BOOL CreateEx(DWORD exStyle, const char* title, DWORD style, const RECT& rect, CWnd* pParent,
                UINT id);
  // Attaches this object to an existing window by replacing its window procedure. Fails when
  // the handle is no window or this object already has one.
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT id, CWnd* pParent);
  // Puts the original window procedure back and forgets the window.
  HWND UnsubclassWindow();
  // The object attached to a window by this framework in this module, or null.
  static CWnd* FromHandlePermanent(HWND hWnd);

  BOOL DestroyWindow();
  HWND GetSafeHwnd() const { return m_hWnd; }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }
  void SetWindowText(const char* text) const { ::SetWindowTextA(m_hWnd, text); }
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
  }
  void InvalidateRect(const RECT* rect, BOOL erase = TRUE) const {
    ::InvalidateRect(m_hWnd, rect, erase);
  }

  HWND m_hWnd = nullptr;

 protected:
  // The default processing of the message now being handled.
  LRESULT Default();
  static const MessageMap* GetThisMessageMap();
  static LRESULT CALLBACK AttachedWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Attaches this object to hWnd; original is the procedure DefWindowProc calls.
  void Attach(HWND hWnd, WNDPROC original);

 private:
  static LRESULT CALLBACK CreatingWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  WNDPROC m_pfnSuper = nullptr;  // the procedure that does the default processing
  MSG m_current = {};            // the message being handled, for Default()
};
