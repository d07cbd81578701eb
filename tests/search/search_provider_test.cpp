// The tool's Search through the real module, as a host calls it: a request record, a result
// window that receives each line as a message, a stop flag the host sets, and a result window
// that goes away while the search runs.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/fake_host.h"
#include "support/tool_facts.h"

namespace {

using Lines = std::vector<std::string>;

// The host's result window: keeps every line it is sent, and the string object it came in.
class ResultWindow final : public CWnd {
 public:
  ResultWindow() { CreateEx(0, "Results", WS_OVERLAPPED, RECT{0, 0, 200, 100}, nullptr, 0); }

  Lines lines;
  std::vector<const void*> stringObjects;
  std::function<void()> onResult;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_TOOL_SEARCHRESULT) return CWnd::WindowProc(message, wParam, lParam);
    EXPECT_EQ(lParam, 0);
    const auto* line = reinterpret_cast<const CString*>(wParam);
    lines.emplace_back(line->GetString());
    stringObjects.push_back(line);
    if (onResult) onResult();
    return 0;
  }
};

class SearchProvider : public testing::Test {
 protected:
  SearchProvider() {
    m_host.data().MakeFolder("ToDoList");
    m_request.pResultWnd = &m_window;
  }

  void WriteList(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(m_host.data().Write("ToDoList\\" + name, bytes)) << name;
  }

  int Search(const char* text) { return m_host.tool()->Search(&m_request, text); }

  todo_test::FakeHost m_host;
  const std::string m_folder = m_host.data().File("ToDoList");
  ResultWindow m_window;
  ToolSearchRequest m_request = {};
};

TEST_F(SearchProvider, FindsItemsOfEveryListFileInNameOrder) {
  WriteList("b.lst", "0,2026,12,7,Pay rent\r\n");
  WriteList("a.lst", "NO_DATE\r\n1,2026,1,5,rent due\r\n");
  WriteList("v1.2.lst", "0,2027,2,3,rent again\r\n");
  WriteList("Upper.LST", "0,2026,1,1,rent\r\n");
  WriteList("ListInfo.dat", "b\r\n");
  m_host.data().MakeFolder("ToDoList\\folder.lst");
  EXPECT_EQ(Search("rent"), 0);
  EXPECT_EQ(m_window.lines,
            (Lines{"[a] (済) 期限：2026/1/5 rent due", "[b] (未) 期限：2026/12/7 Pay rent",
                   "[v1.2] (未) 期限：2027/2/3 rent again"}));
  // One string object, reused for every line.
  ASSERT_EQ(m_window.stringObjects.size(), 3u);
  EXPECT_EQ(m_window.stringObjects[0], m_window.stringObjects[2]);
}

TEST_F(SearchProvider, DoubleByteCharactersNeverMatchByTheirSecondByte) {
  // ソ (0x83 0x5C) and ア (0x83 0x41) end in a backslash and a letter A.
  WriteList("L.lst", "\x83\x5C,2026,1,1,\x83\x41\r\n0,2026,1,2,A\\\r\n");
  EXPECT_EQ(Search("A"), 0);
  EXPECT_EQ(Search("\\"), 0);
  EXPECT_EQ(m_window.lines, (Lines{"[L] (未) 期限：2026/1/2 A\\", "[L] (未) 期限：2026/1/2 A\\"}));
}

TEST_F(SearchProvider, OtherModesGetOneNoticeAndNoResult) {
  WriteList("L.lst", "0,2026,1,1,x\r\n");
  for (const std::uint16_t mode : {1, 2, 0xFFFF}) {
    m_window.lines.clear();
    m_request.nMode = mode;
    EXPECT_EQ(Search(""), 0);
    EXPECT_EQ(m_window.lines, Lines{todo_test::tool::kUnsupportedSearchMode}) << mode;
  }
}

TEST_F(SearchProvider, MissingRequestWindowTextOrFolderIsNoFailure) {
  EXPECT_EQ(m_host.tool()->Search(nullptr, "x"), 0);
  WriteList("L.lst", "0,2026,1,1,x\r\n");
  EXPECT_EQ(Search(nullptr), 0);  // no text is the empty text: every item
  EXPECT_EQ(m_window.lines, Lines{"[L] (未) 期限：2026/1/1 x"});
  m_request.pResultWnd = nullptr;
  m_request.nMode = 1;
  EXPECT_EQ(Search("x"), 0);
  m_request.nMode = 0;
  EXPECT_EQ(Search("x"), 0);
  DeleteFileA((m_folder + "\\L.lst").c_str());
  RemoveDirectoryA(m_folder.c_str());
  m_request.pResultWnd = &m_window;
  EXPECT_EQ(Search(""), 0);
  EXPECT_EQ(m_window.lines.size(), 1u);
}

TEST_F(SearchProvider, StopFlagSetFromAResultEndsTheSearch) {
  WriteList("a.lst", "0,2026,1,1,x\r\n0,2026,1,2,x\r\n");
  WriteList("b.lst", "0,2026,1,3,x\r\n");
  m_window.onResult = [this] { m_request.bStop = 1; };
  EXPECT_EQ(Search("x"), 0);
  EXPECT_EQ(m_window.lines, Lines{"[a] (未) 期限：2026/1/1 x"});
}

TEST_F(SearchProvider, ResultWindowDestroyedMidSearchGetsNothingMore) {
  WriteList("a.lst", "0,2026,1,1,x\r\n0,2026,1,2,x\r\n");
  WriteList("b.lst", "0,2026,1,3,x\r\n");
  m_window.onResult = [this] { m_window.DestroyWindow(); };
  EXPECT_EQ(Search("x"), 0);
  EXPECT_EQ(m_window.lines, Lines{"[a] (未) 期限：2026/1/1 x"});
}

}  // namespace
