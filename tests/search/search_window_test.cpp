// The host's search window with the real tool: results fill the list while the search runs
// on its own thread, and Stop ends a long search while the window keeps answering.

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "host/host_window_ids.h"
#include "host/search_window.h"
#include "support/fake_host.h"
#include "support/message_pump.h"

namespace {

class SearchWindowTest : public testing::Test {
 protected:
  SearchWindowTest() : window_(host_.tool()) {
    const std::string folder = host_.dataFolder() + "\\ToDoList";
    CreateDirectoryA(folder.c_str(), nullptr);
    // Enough lines that a search takes a while: each result is a message to this thread.
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes += "0,2026,1,1,item " + std::to_string(i) + "\r\n";
    for (const char* name : {"\\a.lst", "\\b.lst"}) {
      const HANDLE file = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      DWORD written = 0;
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
      CloseHandle(file);
    }
  }

  void Type(const char* text) { ::SetWindowTextA(window_.GetDlgItem(IDC_SEARCH_TEXT), text); }
  int ListedLines() {
    return static_cast<int>(
        ::SendMessageA(window_.GetDlgItem(IDC_SEARCH_RESULTS), LB_GETCOUNT, 0, 0));
  }
  std::string Status() {
    char text[128] = "";
    ::GetWindowTextA(window_.GetDlgItem(IDC_SEARCH_STATUS), text, sizeof(text));
    return text;
  }

  todo_test::FakeHost host_;
  CSearchWindow window_;
};

TEST_F(SearchWindowTest, ResultsFillTheListAndTheStatusCountsThem) {
  ASSERT_TRUE(window_.Open());
  Type("2999");  // one word: "item" would match every line
  window_.OnSearch();
  ASSERT_TRUE(todo_test::PumpUntil([&] { return !window_.Searching(); }));
  EXPECT_EQ(ListedLines(), 2);
  EXPECT_EQ(Status(), "2 results");
}

TEST_F(SearchWindowTest, StopEndsALongSearchEarly) {
  ASSERT_TRUE(window_.Open());
  Type("item");
  window_.OnSearch();
  // The window takes results while the search runs; stop once some have come.
  ASSERT_TRUE(todo_test::PumpUntil([&] { return ListedLines() >= 10; }));
  window_.OnStop();
  ASSERT_TRUE(todo_test::PumpUntil([&] { return !window_.Searching(); }));
  EXPECT_LT(ListedLines(), 6000);
  EXPECT_EQ(ListedLines(), window_.ResultCount());
  EXPECT_EQ(Status().rfind("Stopped: ", 0), 0u) << Status();
}

TEST_F(SearchWindowTest, ClosingDuringASearchWaitsForIt) {
  ASSERT_TRUE(window_.Open());
  Type("");
  window_.OnSearch();
  ::SendMessageA(window_.m_hWnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(window_.Searching());
  EXPECT_EQ(window_.m_hWnd, nullptr);
}

}  // namespace
