#pragma once
// The modal boxes open on the tool thread (message boxes and the settings dialog) and a close
// of the window that waits for them. Closing the window under an open box would destroy what
// the box's caller goes on to use once the box returns, so a close that arrives then ends the
// boxes with their No or Cancel answer and runs only after the last one has returned. Tool
// thread only.

#include <windows.h>

class ModalBoxes {
 public:
  // `window` is the tool window: owner of the boxes, and where a waiting close is posted.
  explicit ModalBoxes(HWND window) : m_window(window) {}
  ModalBoxes(const ModalBoxes&) = delete;
  ModalBoxes& operator=(const ModalBoxes&) = delete;

  // A box is about to open. False when the window is closing: the box must not be shown, and
  // its caller takes the No or Cancel answer at once.
  bool Enter();
  // The box opened after a true Enter has returned. When it was the last one and a close
  // waits, the close is posted to the window again.
  void Leave();

  bool AnyOpen() const { return m_openCount > 0; }
  // Boxes may open again: the close has begun and may ask its own question.
  void AllowBoxes() { m_closing = false; }
  // From now on no box opens: the window is being destroyed.
  void RefuseNewBoxes() { m_closing = true; }
  // Asks every dialog box of this thread but the window itself to end with its No answer
  // (Cancel, or OK where that is all it has); a close is posted to the window once the last
  // has returned.
  void EndAllThenClose();

 private:
  HWND m_window;
  int m_openCount = 0;
  bool m_closing = false;
  bool m_closeWaits = false;
};
