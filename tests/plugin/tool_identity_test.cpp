// The tool's fixed texts must reach the host as code page 932 bytes: a build that kept them
// as UTF-8 would show garbage in the host and in every message box.

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "plugin/tool_texts.h"

namespace {

TEST(ToolTexts, DisplayNameIsCodePage932) {
  EXPECT_EQ(std::string("ToDo\x83\x8A\x83\x58\x83\x67"), todo::kDisplayName);
}

TEST(ToolTexts, HistoryHasThreeLinesOldestFirstWithHalfWidthKatakana) {
  ASSERT_EQ(3u, sizeof(todo::kHistory) / sizeof(todo::kHistory[0]));
  // "ﾘｽﾄ" is three single bytes, "初版リリース" double bytes.
  EXPECT_EQ(std::string("[2006.01.01 ToDo\xD8\xBD\xC4 Ver.0001.000] "
                        "\x8F\x89\x94\xC5\x83\x8A\x83\x8A\x81\x5B\x83\x58"),
            todo::kHistory[0]);
  EXPECT_EQ(0, std::strncmp(todo::kHistory[1], "[2006.02.11 ", 12));
  EXPECT_EQ(0, std::strncmp(todo::kHistory[2], "[2010.02.25 ", 12));
  EXPECT_NE(nullptr, std::strstr(todo::kHistory[2], "Lumaplex Ver.6.1"));
}

TEST(ToolTexts, IdentityNumbers) {
  EXPECT_EQ(18, todo::kToolId);
  EXPECT_EQ(184u, todo::kTemplateId);
  EXPECT_STREQ("ToDoList", todo::kToolName);
  EXPECT_STREQ("WndPosX", todo::kSettingWndPosX);
  EXPECT_STREQ("WndPosY", todo::kSettingWndPosY);
}

}  // namespace
