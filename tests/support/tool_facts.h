#pragma once
// What tests know of the tool window without asking the tool: the ids of its controls (the
// numbers the resource script gives them), where the rows and columns of its two boxes are
// drawn, the exact texts of its message boxes (code page 932 bytes, as the tool shows them)
// and names in the list-order file that name no file directly inside the list folder. The
// texts and the geometry are written here as the user sees them, not taken from the code, so
// that a change there shows as a failure.

#include "resources/resource_ids.h"

namespace todo_test::tool {

// --- Controls ---

inline constexpr int kTextBox = IDC_TEXT;
inline constexpr int kDatePicker = IDC_DATE;
inline constexpr int kNoDateBox = IDC_NO_DATE;
inline constexpr int kListModeButton = IDC_MODE_LIST;
inline constexpr int kItemModeButton = IDC_MODE_ITEM;
inline constexpr int kAdd = IDC_ADD_TOP;
inline constexpr int kAddAtBottom = IDC_ADD_BOTTOM;
inline constexpr int kMoveUp = IDC_UP;
inline constexpr int kMoveDown = IDC_DOWN;
inline constexpr int kDelete = IDC_DELETE;
inline constexpr int kClear = IDC_CLEAR;

// --- The boxes, in their client pixels ---

// List-name rows are 20 pixels high from the top; item rows 18 pixels high under an 18-pixel
// header, in the columns check (36 wide), text (320) and date.
inline constexpr int kNameRowHeight = 20;
inline constexpr int kItemRowHeight = 18;
inline constexpr int kItemHeaderHeight = 18;
inline constexpr int kCheckX = 18;  // the middle of each item column
inline constexpr int kTextX = 120;
inline constexpr int kDateX = 390;

// --- Captions ---

inline constexpr char kMessageBoxCaption[] = "ToDoList";
inline constexpr char kSettingsCaption[] = "ToDoリストの設定";

// --- Message box texts ---

inline constexpr char kEnterListName[] = "登録するリスト名を入力して下さい！";
inline constexpr char kBadListName[] =
    "リスト名として適切ではありません。\nファイル名に使用できない文字は使用できません。"
    "（\\/:*?\"<>|）";
inline constexpr char kListExists[] = "その名前のリストは既に登録されています！";
inline constexpr char kCannotCreate[] = "リストを新規作成できませんでした！";
inline constexpr char kNoListSelected[] =
    "アイテムを登録できません。\nリストを、選択するか新規登録して下さい。";
inline constexpr char kEnterItem[] = "登録するアイテムを入力して下さい！";
inline constexpr char kDeleteList[] =
    "選択されたリストを削除します！\nリストを削除するとこのリストに登録されているアイテムも全て"
    "消えてしまいます。\n本当によろしいですか？";
inline constexpr char kDeleteItem[] = "選択されたアイテムを削除します。\nよろしいですか？";
inline constexpr char kClearLists[] =
    "全てのリストリストを削除しようとしています！\n本当によろしいですか？";
inline constexpr char kClearItems[] =
    "リストに登録されているアイテムを全て削除します。\nよろしいですか？";
inline constexpr char kDuplicateName[] = "同じ名前のリストは既に登録されています！";
inline constexpr char kListNotStorable[] =
    "アイテムを登録できません。\nこのリストはファイルに保存できません。";
inline constexpr char kTextTooLong[] = "文字数オーバー！\n超過分の文字を削除しました。";
inline constexpr char kCannotUndo[] =
    "元に戻せませんでした！\n同じ名前のファイルがあるか、ファイルに書き込めない可能性があります。";
// Told when a record was changed differently in the window and by another program.
inline constexpr char kConflict[] =
    "他のプログラムでも同じアイテムが変更されていました！\n両方の内容を残しました。";
// Asked when the window closes and the shown list's file stays held by another program.
inline constexpr char kSaveAgainOnClose[] =
    "リストを保存できませんでした！\n他のプログラムがファイルを使用している可能性があります。"
    "\nもう一度保存しますか？\n（「いいえ」を選ぶと、変更を保存せずに閉じます）";
// The one line the search answers to a search mode the tool does not have.
inline constexpr char kUnsupportedSearchMode[] = "非対応の検索モードです。";

// --- Names in the list-order file that name no file directly inside the list folder ---

// Up and out of the folder in both separators, into a folder of it in both, device names,
// separators after a byte that code page 932 does not take for the first of two (0x80, 0xFD)
// or after a whole double-byte character, and a drive colon. None may ever be read, written,
// moved or deleted as a path.
inline constexpr const char* kEscapingNames[] = {
    "..\\..\\escape", "..\\up1", "../fwd",  "sub/x",       "CON",    "ab\x80\\cd",
    "nul.old",        "sub\\x",  "\x80\\x", "\x81\x81\\x", "\xFD/x", "a:b",
};

}  // namespace todo_test::tool
