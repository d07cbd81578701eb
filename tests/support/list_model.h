#pragma once
// One model of the lists for the walks that check the tool from fixed seeds, the headless
// dialog's and the real window's: what the user should see (the list names, the shown list's
// items, the selections, the entry row), what the list folder should hold (the bytes of each
// list file and of the list-order file), what each user action changes or which message
// refuses it, the states undo and redo give back, the states the tool may have saved meanwhile,
// and what a merge with another program's writes must hold. What must be refused it decides by
// the rules of list_rules.h, never by asking the code it checks. Portable; each walk drives its
// own target and reads back what it shows.

#include <cstddef>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace todo_test::lists {

struct Date {
  int year;
  int month;
  int day;
  bool operator==(const Date& other) const {
    return year == other.year && month == other.month && day == other.day;
  }
};

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
const Item* WithId(const std::vector<Item>& items, int id);

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

// What a merge of a list changed both in the window (`mine`) and by another program (`theirs`)
// since the file was read (`base`) must hold, told from what each side did to each item by its
// id. It says which records the merged file holds, not where: the order is the merge's own,
// but for the window's records, which keep the window's order.
struct ExpectedMerge {
  std::vector<Item> records;      // every record, as often as the merge holds it
  std::vector<Item> mineInOrder;  // the window's records it holds as the window has them
  // What became of each of the window's items: the record it stands as, or none when it is gone.
  std::vector<const Item*> fateOfMine;
  // Items both sides changed differently: both versions are kept, and the user is told. The
  // merge finds exactly these when both sides changed them in place.
  int conflicts = 0;
};
ExpectedMerge ExpectMerge(const std::vector<Item>& base, const std::vector<Item>& mine,
                          const std::vector<Item>& theirs);
// Whether `part` appears in `whole` in its order, other records between.
bool InOrderWithin(const std::vector<Item>& part, const std::vector<Item>& whole);
// The records as a sorted list of their lines, to compare as sets with repeats.
std::vector<std::string> RecordLines(const std::vector<Item>& records);

// What an undo or a redo gives back: the list names, the shown list, the selections, the files.
struct Lists {
  std::vector<std::string> rows;  // the list-name box
  int selected = -1;
  std::vector<Item> shown;  // the item box
  bool shownNoDate = false;
  int itemSelected = -1;
  std::map<std::string, StoredList> files;  // by folded name
};

// What the user should see in the window and what the disk holds. The tool saves the window's
// changes a second after the last one, or at once when a list is left, the host saves or the
// window closes; a walk that cannot tell when keeps the window's states since the disk was
// last seen (unsavedLists, unsavedOrders, oldest first), of which the disk may hold any.
struct ListModel : Lists {
  bool open = true;
  bool listMode = true;
  bool noDateBox = false;
  std::string text;  // the text box
  Date picker{};
  std::string order;                // the bytes of ListInfo.dat
  std::size_t folderPathBytes = 0;  // "<list folder>\", for the platform's path limit
  std::vector<StoredList> unsavedLists;
  std::vector<std::string> unsavedOrders;
  int lastId = 0;  // the id given to an item last

  // Whether the list of this row names a file, and so shows and stores items.
  bool HasFile(int row) const;
  // Whether a list is selected whose items its file stores.
  bool ShowsStoredList() const { return open && selected >= 0 && HasFile(selected); }
  // The stored list of that name, or an empty one.
  StoredList FileOf(const std::string& name) const;

  // The window opens on the list-order file: no list selected, list mode, no undo history.
  void Opened();
  // A press in a box or on a mode button: the entry row switches, the text box empties.
  void Activate(bool names);
  // The shown list is left for the list of `row`, whose file it shows.
  void SelectList(int row);
  // A click on a row of a box (-1: below the rows) that had the focus or not; true when it
  // begins an in-place edit (in the item box: anywhere but on the check, which ticks).
  bool ClickList(int row, bool focused);
  bool ClickItem(int row, bool focused, bool onCheck);

  // --- Commands: each gives the message the tool must show, or null ---
  // Add from the text box in the current mode: a new list (of the no-date kind `noDate`) or an
  // item of the picker's date, at the top or the bottom.
  const char* NewListRefusal() const;
  const char* Add(bool atBottom, bool noDate);
  void Move(int step);
  // The question Delete (or Clear when `all`) asks in the current mode, null when it asks
  // none; Remove does what the answer Yes lets it.
  const char* RemoveQuestion(bool all) const;
  void Remove(bool all);
  // The text box loses the focus: a text too long for the mode is cut.
  const char* LeaveTextBox();
  // In-place edits ended with Enter.
  void EditText(int row, const std::string& typed);
  void EditDate(int row, Date due);
  const char* Rename(int row, const std::string& typed);
  void Undo();
  void Redo();

  // --- Saves and what others wrote ---
  // A save occasion of the shown list's file / of the list-order file: the disk holds what
  // the window shows.
  void SaveShown();
  void SaveNames();
  // Whether the window shows items of the shown list that the disk was not seen to hold.
  bool ShownUnsaved() const;
  // What the window shows after a step, which the tool may save at any moment from now on.
  void RememberWindow();
  // The newest of the window's states since the last look that the disk holds was saved, and
  // only the window's latest state can be saved from now on. `found`: the list folder's files
  // by their folded names.
  void SeeSaves(const std::map<std::string, std::string>& found);
  // The list folder's files as they must be, by their folded names.
  std::map<std::string, std::string> ExpectedFiles() const;
  // The shown list's file as read again or merged, shown with row `select` selected.
  void ShowFile(const StoredList& file, int select);
  // The names the merged list-order file holds, sorted: the window's names but those another
  // program removed (from `base`) whose files are gone too, and the names it added.
  std::vector<std::string> MergedNames(const std::vector<std::string>& base,
                                       const std::vector<std::string>& theirs) const;

 private:
  StoredList ShownList() const { return {rows[selected], shownNoDate, shown}; }
  void LoadSelected();
  void Record(const Lists& before);
  std::vector<std::pair<Lists, Lists>> m_steps;  // before and after each step undo can take back
  std::size_t m_done = 0;
};

// The seeded choices of a walk.
class RandomSteps {
 protected:
  using Choice = std::pair<int, std::function<void()>>;
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
  template <typename T>
  const T& PickOf(const std::vector<T>& pool) {
    return pool[static_cast<std::size_t>(Pick(static_cast<int>(pool.size())))];
  }
  // Runs one of the choices, each as likely as its weight.
  void Choose(const std::vector<Choice>& choices);

  std::mt19937 m_random;
};

}  // namespace todo_test::lists
