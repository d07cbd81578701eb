// What the chaos walk knows of the tool window without asking it: the ids of its controls,
// where the rows of its two boxes are drawn, how many rows fit without scrolling, and the exact
// texts of the message boxes each step may open (code page 932 bytes, as the tool shows them).

#pragma once

namespace chaos {

inline constexpr int kTextBox = 1064;
inline constexpr int kDatePicker = 1073;
inline constexpr int kNoDateBox = 1165;
inline constexpr int kListModeButton = 6000;
inline constexpr int kItemModeButton = 6001;
inline constexpr int kAdd = 1065;
inline constexpr int kAddAtBottom = 1066;
inline constexpr int kUp = 1076;
inline constexpr int kDown = 1077;
inline constexpr int kDelete = 1078;
inline constexpr int kClear = 1079;

// Geometry of the boxes in their client areas: list rows 20 pixels high from the top; item
// rows 18 pixels high under an 18-pixel header, columns check (36), text (320), date.
inline constexpr int kNameRowHeight = 20;
inline constexpr int kItemRowHeight = 18;
inline constexpr int kItemHeader = 18;
inline constexpr int kCheckX = 18;
inline constexpr int kTextX = 120;
inline constexpr int kDateX = 390;
// Kept below what the boxes show without scrolling, so that a row is where it was drawn.
inline constexpr int kMostLists = 17;
inline constexpr int kMostItems = 24;

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
inline constexpr char kConflict[] =
    "他のプログラムでも同じアイテムが変更されていました！\n両方の内容を残しました。";
inline constexpr char kListNotStorable[] =
    "アイテムを登録できません。\nこのリストはファイルに保存できません。";

}  // namespace chaos
