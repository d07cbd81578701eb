#pragma once
// Message maps: a per-class table that routes window messages, commands and control
// notifications to member functions. A class declares its map with DECLARE_MESSAGE_MAP()
// and defines it between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP; lookups walk from the most
// derived class to its bases, so a derived entry wins over a base entry.

#include <windows.h>

class CWnd;

struct MsgMapEntry {
  UINT message;  // window message; WM_COMMAND for commands and control notifications
  UINT code;     // WM_COMMAND only: the notification code (BN_CLICKED for commands)
  UINT id;       // WM_COMMAND only: the control or command identifier
  LRESULT (*handler)(CWnd* self, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
  const MessageMap* (*base)();  // null for the root of the chain
  const MsgMapEntry* entries;   // ends with an entry whose handler is null
};

// Finds the entry for a message in a map chain, or null.
const MsgMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam);

#define DECLARE_MESSAGE_MAP()                       \
 protected:                                         \
  static const MessageMap* GetThisMessageMap();     \
  const MessageMap* GetMessageMap() const override; \
                                                    \
 private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)        \
  const MessageMap* theClass::GetMessageMap() const { \
    return GetThisMessageMap();                       \
  }                                                   \
  const MessageMap* theClass::GetThisMessageMap() {   \
    using ThisClass = theClass;                       \
    using TheBaseClass = baseClass;                   \
    static const MsgMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                    \
  { 0, 0, 0, nullptr }                                                       \
  }                                                                          \
  ;                                                                          \
  static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries}; \
  return &map;                                                               \
  }

// A handler of the form LRESULT fn(WPARAM, LPARAM).
#define ON_MESSAGE(msg, fn)                                               \
  {(msg), 0, 0, [](CWnd* self, WPARAM wParam, LPARAM lParam) -> LRESULT { \
     return static_cast<ThisClass*>(self)->fn(wParam, lParam);            \
   }},

// A control notification of the form void fn().
#define ON_CONTROL(code, id, fn)                                         \
  {WM_COMMAND, (code), (id), [](CWnd* self, WPARAM, LPARAM) -> LRESULT { \
     static_cast<ThisClass*>(self)->fn();                                \
     return 0;                                                           \
   }},
#define ON_COMMAND(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)

// Standard messages with their usual handler names.
#define ON_WM_VOID_HANDLER(msg, fn)                         \
  {(msg), 0, 0, [](CWnd* self, WPARAM, LPARAM) -> LRESULT { \
     static_cast<ThisClass*>(self)->fn();                   \
     return 0;                                              \
   }},
#define ON_WM_CLOSE() ON_WM_VOID_HANDLER(WM_CLOSE, OnClose)
#define ON_WM_DESTROY() ON_WM_VOID_HANDLER(WM_DESTROY, OnDestroy)
#define ON_WM_PAINT() ON_WM_VOID_HANDLER(WM_PAINT, OnPaint)
#define ON_WM_KEYDOWN()                                                                  \
  {WM_KEYDOWN, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM lParam) -> LRESULT {           \
     static_cast<ThisClass*>(self)->OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), \
                                              HIWORD(lParam));                           \
     return 0;                                                                           \
   }},
#define ON_WM_LBUTTONDOWN()                                                                  \
  {WM_LBUTTONDOWN, 0, 0, [](CWnd* self, WPARAM wParam, LPARAM lParam) -> LRESULT {           \
     POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; \
     static_cast<ThisClass*>(self)->OnLButtonDown(static_cast<UINT>(wParam), point);         \
     return 0;                                                                               \
   }},
