#pragma once
// The tool's fixed identity: numbers and texts the host reads or the tool shows. Every text
// is code page 932 (the build turns these UTF-8 literals into code page 932 bytes).

#include "resources/resource_ids.h"

namespace todo {

constexpr int kToolId = 18;
constexpr int kHostValue1 = 1;
constexpr int kHostValue2 = 272;
constexpr unsigned kTemplateId = IDD_TODO;

constexpr const char kToolName[] = "ToDoList";  // also the list folder's name
constexpr const char kDisplayName[] = "ToDoリスト";
constexpr const char kModuleFileName[] = "ToDoList.dll";

// The change history, oldest first.
constexpr const char* const kHistory[] = {
    "[2006.01.01 ToDoﾘｽﾄ Ver.0001.000] 初版リリース",
    "[2006.02.11 ToDoﾘｽﾄ Ver.0001.001] 改修履歴をﾒｲﾝｳｨﾝﾄﾞｳに通知",
    "[2010.02.25 ToDoﾘｽﾄ Ver.0001.002] Lumaplex Ver.6.1対応",
};

// A text the window has for one of its controls.
struct ControlText {
  int id;
  const char* text;
};

// The tooltips of the two mode buttons and of the command buttons that show one.
constexpr ControlText kButtonTips[] = {
    {IDC_MODE_LIST, "TODOﾘｽﾄ追加ﾓｰﾄﾞ"},
    {IDC_MODE_ITEM, "TODOｱｲﾃﾑ追加ﾓｰﾄﾞ"},
    {IDC_UP, "選択されたﾘｽﾄまたはｱｲﾃﾑを１つ上へ移動"},
    {IDC_DOWN, "選択されたﾘｽﾄまたはｱｲﾃﾑを１つ下へ移動"},
    {IDC_DELETE, "選択されたﾘｽﾄまたはｱｲﾃﾑを削除"},
    {IDC_CLEAR, "ﾘｽﾄまたはｱｲﾃﾑを全て削除"},
};

// What screen readers call the two add buttons, which show no tooltip: their commands, in
// the tooltips' words. The other buttons are called by their tooltips.
constexpr ControlText kUntippedButtonNames[] = {
    {IDC_ADD_TOP, "ﾘｽﾄまたはｱｲﾃﾑを先頭に追加"},
    {IDC_ADD_BOTTOM, "ﾘｽﾄまたはｱｲﾃﾑを末尾に追加"},
};

// Keys of the window position in the host's setting store.
constexpr const char kSettingWndPosX[] = "WndPosX";
constexpr const char kSettingWndPosY[] = "WndPosY";

}  // namespace todo
