// The model of the chaos walk: what the user should see in the tool window and what the disk
// was seen to hold, with the window's states since that the tool may have saved meanwhile, the
// message box and in-place editor the last step should have opened, and the names and texts
// the user types, with what the list-name rules make of them.

#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace chaos {

// The most lists and items the walk makes, kept within the rows the boxes show whole without
// scrolling (20 list names, 27 items), so that a row is where it was drawn.
inline constexpr int kMostLists = 20;
inline constexpr int kMostItems = 24;

// What the list-name rules make of a name the user types.
enum class NameKind { kGood, kRefused, kHidesSeparator };

// Whether a name is one of the names in the list-order file that name no file directly inside
// the list folder (todo_test::tool::kEscapingNames), exactly.
bool IsEscapingName(const std::string& name);

struct Date {
  int year;
  int month;
  int day;
};

inline constexpr Date kDates[] = {{2026, 12, 7}, {2026, 12, 8}, {2027, 1, 1}, {2025, 3, 31}};

struct Item {
  int check;
  Date due;
  std::string text;
  // Which item this is, kept through ticks, edits and moves, so that a merge can be told what
  // each side did to it; every item anyone adds gets a new one.
  int id = 0;
};

// Whether two items hold the same record, whichever items they are.
bool SameRecord(const Item& a, const Item& b);
bool SameRecords(const std::vector<Item>& a, const std::vector<Item>& b);

// A list file as the model knows it.
struct StoredList {
  std::string name;  // as the list that made it was named
  bool noDate = false;
  std::vector<Item> items;
  bool lfOnly = false;  // lines end with LF alone, as another program wrote them
};

// The bytes of a list's file: the no-date line, then one line an item, each ended with CR LF
// (LF when lfOnly).
std::string FileBytes(const StoredList& list);
// The list in bytes that FileBytes wrote (either line end); false for any other bytes.
bool ReadFileBytes(const std::string& bytes, StoredList* list);

// The names in the bytes of the list-order file: one a line, CR LF or LF, blank lines left out.
std::vector<std::string> NamesOf(const std::string& orderBytes);
// The bytes of the list-order file as the tool writes it.
std::string OrderBytes(const std::vector<std::string>& names);

struct Row {
  std::string name;
  bool hasFile;  // a list whose name names a file in the list folder
};

// What the user should see in the window, and what the disk was seen to hold.
struct Model {
  bool open = false;
  std::vector<Row> rows;
  int selected = -1;
  std::vector<Item> shown;  // the item box
  bool shownNoDate = false;
  int itemSelected = -1;
  bool listMode = true;
  bool noDateBox = false;
  std::string text;
  Date picker = kDates[0];
  std::map<std::string, StoredList> files;  // by folded name
  std::string order;                        // ListInfo.dat
  // The tool saves the window's changes a second after the last one, or at a save occasion;
  // until then the disk may hold what it was seen to hold or what the window showed after the
  // steps since it was last looked at: the shown list's items and the list names, oldest first.
  std::vector<StoredList> unsavedLists;
  std::vector<std::string> unsavedOrders;
  int lastId = 0;  // the id given to an item last
};

// A message box the last step should have opened.
struct ExpectedBox {
  std::vector<std::string> texts;  // any one of these
  bool yesNo = false;
  bool mayBeMissing = false;
  std::function<void()> onYes;
};

// An in-place editor the last step should have opened.
struct OpenEditor {
  bool names;  // over the list-name box, else over the item box
  bool date;   // the date picker of an item's due date
  int row;
  std::string text;  // what a commit would store, before the edit's own clean-up
  Date due = kDates[0];
};

// Item texts the user types.
extern const std::vector<std::string> kItemTexts;

// Names the user types for a list, with what the list-name rules make of them.
struct TypedName {
  std::string text;
  NameKind kind;
};
extern const std::vector<TypedName> kTypedNames;

// Names not in the tables are made by the walk from good names: fresh ones, other letter cases.
NameKind KindOf(const std::string& typed);

}  // namespace chaos
