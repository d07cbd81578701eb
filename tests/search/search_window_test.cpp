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
  SearchWindowTest() : m_window(m_host.tool()) {
    m_host.data().MakeFolder("ToDoList");
    // Enough lines that a search takes a while: each result is a message to this thread.
    std::string bytes;
    for (int i = 0; i < 3000; ++i) bytes += "0,2026,1,1,item " + std::to_string(i) + "\r\n";
    for (const char* name : {"ToDoList\\a.lst", "ToDoList\\b.lst"})
      m_host.data().Write(name, bytes);
  }

  void Type(const char* text) { ::SetWindowTextA(m_window.GetDlgItem(IDC_SEARCH_TEXT), text); }
  int ListedLines() {
    return static_cast<int>(
        ::SendMessageA(m_window.GetDlgItem(IDC_SEARCH_RESULTS), LB_GETCOUNT, 0, 0));
  }
  std::string Status() {
    char text[128] = "";
    ::GetWindowTextA(m_window.GetDlgItem(IDC_SEARCH_STATUS), text, sizeof(text));
    return text;
  }

  todo_test::FakeHost m_host;
  CSearchWindow m_window;
};

TEST_F(SearchWindowTest, ResultsFillTheListAndTheStatusCountsThem) {
  ASSERT_TRUE(m_window.Open());
  Type("2999");  // one word: "item" would match every line
  m_window.OnSearch();
  ASSERT_TRUE(todo_test::PumpUntil([&] { return !m_window.Searching(); }));
  EXPECT_EQ(ListedLines(), 2);
  EXPECT_EQ(Status(), "2 results");
}

TEST_F(SearchWindowTest, StopEndsALongSearchEarly) {
  ASSERT_TRUE(m_window.Open());
  Type("item");
  m_window.OnSearch();
  // The window takes results while the search runs; stop once some have come.
  ASSERT_TRUE(todo_test::PumpUntil([&] { return ListedLines() >= 10; }));
  m_window.OnStop();
  ASSERT_TRUE(todo_test::PumpUntil([&] { return !m_window.Searching(); }));
  EXPECT_LT(ListedLines(), 6000);
  EXPECT_EQ(ListedLines(), m_window.ResultCount());
  EXPECT_EQ(Status().rfind("Stopped: ", 0), 0u) << Status();
}

TEST_F(SearchWindowTest, ClosingDuringASearchWaitsForIt) {
  ASSERT_TRUE(m_window.Open());
  Type("");
  m_window.OnSearch();
  ::SendMessageA(m_window.m_hWnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(m_window.Searching());
  EXPECT_EQ(m_window.m_hWnd, nullptr);
}

}  // namespace
