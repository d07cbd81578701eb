#pragma once
// Waiting in tests that play the host: the host's thread must keep handling messages, since
// the tool thread sends it notices and waits for them.

#include <windows.h>

#include <functional>

namespace todo_test {

// Handles this thread's messages until done() is true or timeoutMs has passed; returns done().
// Without a message it looks again after pollMs.
inline bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000,
                      DWORD pollMs = 5) {
  const DWORD start = GetTickCount();
  while (!done()) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= timeoutMs) return done();
    // Wakes for a message, else looks again soon: what is waited for may come with none.
    const DWORD left = timeoutMs - elapsed;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, left < pollMs ? left : pollMs, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return true;
}

// Handles this thread's messages for a while, for things that must not happen.
inline void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

}  // namespace todo_test
