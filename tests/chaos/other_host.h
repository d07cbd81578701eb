#pragma once
// Lumaplex.exe as a process of its own on a data folder, with its tool window open, driven
// from this process by window messages as a user's clicks and typing reach it, and ended
// without any close, as a killed process ends.

#include <windows.h>

#include <string>

#include "framework/fw_handles.h"

namespace chaos {

class OtherHost {
 public:
  // Starts Lumaplex.exe (beside this program) with --data dataFolder --open on this thread's
  // desktop and waits for its tool window; Tool() is null when none came.
  explicit OtherHost(const std::string& dataFolder);
  // Kills the process if it still runs.
  ~OtherHost();
  OtherHost(const OtherHost&) = delete;
  OtherHost& operator=(const OtherHost&) = delete;

  HWND Tool() const { return m_tool; }
  // A click on row `row` of the list-name box, handled when this returns.
  void ClickListRow(int row);
  // A click on the button `id`, handled when this returns; it must open no message box.
  void Press(int id);
  // Puts `text` in the text box.
  void Type(const std::string& text);
  bool Checked(int id) const;
  // Ends the process at once, without a close; true when it ended.
  bool Kill();

 private:
  // The process, or INVALID_HANDLE_VALUE; sets *processId.
  static HANDLE Start(const std::string& dataFolder, DWORD* processId);

  DWORD m_processId = 0;
  fw::UniqueFileHandle m_process;
  HWND m_tool = nullptr;
};

}  // namespace chaos
