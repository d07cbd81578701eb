#pragma once
// The host side of the chaos test beside the fake host (support/fake_host.h): the ways a host
// and a user reach the tool window from the test's thread. Every wait handles this thread's
// messages, since the tool thread sends the host window notices and waits for them.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "contract/host_interface.h"
#include "support/fake_host.h"
#include "support/message_pump.h"

namespace chaos {

// Handles this thread's messages until done() is true or timeoutMs has passed; returns done().
// Looks again every millisecond or so, since most waits here are short.
inline bool WaitFor(const std::function<bool()>& done, DWORD timeoutMs = 5000) {
  return todo_test::PumpUntil(done, timeoutMs, 1);
}
// Whether the thread ends within timeoutMs, this thread's messages handled meanwhile.
bool ThreadEnds(HANDLE thread, DWORD timeoutMs = 5000);

// Tells when the tool thread has taken from its queue every message posted to it before: a
// message hook on that thread sees marker messages go by. A marker taken means that what was
// posted before it has been handled, or that its handler now waits in a modal box's loop.
class ToolThreadBarrier {
 public:
  ~ToolThreadBarrier() { Detach(); }
  bool Attach(DWORD threadId);
  void Detach();
  // Posts two markers to `window` one after the other, each once the one before was taken,
  // so that messages posted while handling what came before are handled too. False when the
  // window went away or the markers were not taken in time.
  bool Pass(HWND window, DWORD timeoutMs = 5000);

 private:
  bool PassOnce(HWND window, DWORD timeoutMs);
  HHOOK m_hook = nullptr;
};

// The modal windows of the tool thread: message boxes (caption "ToDoList") with their texts,
// and the settings dialog.
struct ModalWindows {
  std::vector<HWND> messageBoxes;
  std::vector<std::string> texts;
  std::vector<HWND> settings;
};
ModalWindows ModalWindowsOf(DWORD threadId);

// The in-place editor open over a cell of `box`, or null.
HWND EditorOf(HWND box);

// The rows of `box` as a screen reader reads them, one a line in UTF-8: the text, then
// " [checked]" and " [selected]" where they are; false when the box cannot be read. The
// calling thread must be in a COM apartment.
bool ReadRows(HWND box, std::vector<std::string>* rows);
// Code page 932 text in UTF-8, as a screen reader's rows are read.
std::string Utf8(const std::string& cp932);
// Bytes shown readably in failure messages: control bytes and 0x80 escaped, in UTF-8.
std::string Shown(const std::string& bytes);

// One search through the tool's Search, run on a thread of its own with a result window of
// that thread, as the host runs it. Returns the result lines in the order they came.
std::vector<std::string> SearchOnOwnThread(CHostTool* tool, const std::string& text);

}  // namespace chaos
