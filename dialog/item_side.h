#pragma once
// The item side of the dialog: the box of the selected list's items, which it owns, the kind
// of the list shown (dated or no-date) and the colours of its rows. It turns rows into the
// records a list file stores and back; which file they go to is decided elsewhere. Portable;
// on the tool thread.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "quarnctrl/quarn_ctrl.h"
#include "storage/list_file_as_read.h"
#include "storage/list_file_format.h"

namespace todo {

// One item as its row holds it.
struct ItemRow {
  std::string text;
  int check = 0;
  DWORD date = 0;
};
bool operator==(const ItemRow& a, const ItemRow& b);
inline bool operator!=(const ItemRow& a, const ItemRow& b) {
  return !(a == b);
}

// The rows of the item box as they stood, taken quickly (their texts end to end, no copy each)
// so that another thread can make them into the records a list file stores. The rows at each
// end that were left as they were since the box showed a file are not copied: they are that
// file's first `head` and last `tail` records.
struct ItemsSnapshot {
  struct Row {
    int check;
    DWORD date;  // packed
    std::uint32_t textAt;
    std::uint32_t textSize;
  };
  bool noDate = false;
  std::string texts;
  std::vector<Row> rows;                                // the rows between the ends
  std::shared_ptr<const storage::ListFileAsRead> ends;  // null when head and tail are 0
  std::size_t head = 0;
  std::size_t tail = 0;

  // The rows and the kind as a list file stores them, viewing texts; valid while this
  // snapshot is. When `savedOver`, the file as read that they are written over, is the file
  // the ends are taken from, the ends are told as known to equal its records. Any thread.
  storage::ListToWrite ToWrite(const storage::ListFileAsRead* savedOver = nullptr) const;
};

// Text colours of item rows.
constexpr COLORREF kColourDone = RGB(155, 155, 155);
constexpr COLORREF kColourNoDate = RGB(55, 0, 0);
constexpr COLORREF kColourOverdue = RGB(155, 100, 255);
constexpr COLORREF kColourDueToday = RGB(255, 0, 0);
constexpr COLORREF kColourDueLater = RGB(0, 0, 0);

class ItemSide {
 public:
  // Takes ownership of `box` (may be null), dropping the one held before.
  void Attach(CQuarnToDoListBox* box) { m_box.reset(box); }
  // Destroys and deletes the box; afterwards the side has none.
  void Release() { m_box.reset(); }
  CQuarnToDoListBox* Box() const { return m_box.get(); }
  bool HasBox() const { return m_box != nullptr; }

  // Sets the box up as the tool window shows it: row lines, the column header and its labels,
  // texts editable in place, `font` (not owned), the row height and the column widths.
  void Configure(HFONT font);

  // Whether the list shown is a no-date list.
  bool NoDate() const { return m_noDate; }
  // Takes a loaded list's kind: the no-date flag and the text column's width (a no-date list
  // hides the date column). The box must exist.
  void SetKind(bool noDate);

  // Colours row `row` by its done mark, the kind and its due date against `today` (packed as
  // the box packs dates). A bad row or a missing box changes nothing.
  void Colour(int row, DWORD today);
  // Appends the items of `file`, each coloured by `today`. The box must exist.
  void Append(const storage::ListFileAsRead& file, DWORD today);
  // The rows and the kind as a list file stores them.
  storage::ListFileContent Content() const;
  // The same, viewing the rows' texts: valid until the next change to the rows.
  storage::ListToWrite ToWrite() const;
  // The same into *list, using its memory again. When `shown`, numbered `number`, is the file
  // as read the rows were last marked as showing (MarkShown), the rows at each end left as
  // they were since are taken from it, viewing its texts, and told as known to equal its
  // records (ListToWrite::sameHead, sameTail).
  void ToWrite(storage::ListToWrite* list, const storage::ListFileAsRead* shown = nullptr,
               std::uint64_t number = 0) const;
  // The rows now hold exactly the records of the file as read numbered `asRead` (not 0),
  // which the dialog's gate gives each file as read that it keeps.
  void MarkShown(std::uint64_t asRead);
  // The rows and the kind, taken for another thread to make into the list to write. When
  // `shown`, numbered `number`, is the file as read the rows were last marked as showing
  // (MarkShown), the rows left as they were at each end are taken from it instead of copied.
  ItemsSnapshot Snapshot(std::shared_ptr<const storage::ListFileAsRead> shown = nullptr,
                         std::uint64_t number = 0) const;
  // Whether the rows and the kind are those of `file`, in the same order.
  bool Shows(const storage::ListFileAsRead& file) const;

  // Puts a new open item at the top or at the bottom; returns its row. The box must exist.
  int Add(const std::string& text, DWORD due, bool atBottom);
  // Moves the selected item `step` places (-1 up, +1 down); it stays selected and is coloured
  // again by `today`. Returns its new row, -1 when nothing moved.
  int MoveSelected(int step, DWORD today);
  // Row `row` as it stands; the row must exist.
  ItemRow RowAt(int row) const;
  // Every row as it stands, top first.
  std::vector<ItemRow> Rows() const;
  // Replaces the rows with `rows`, coloured by `today`; none is selected afterwards.
  void SetRows(const std::vector<ItemRow>& rows, DWORD today);
  // The record row `row` is saved as; the row must exist.
  storage::ListRecord RecordOf(int row) const;
  // Puts `item` in at `row` (the count: at the end), coloured by `today`; the selected item
  // stays selected.
  void Insert(int row, const ItemRow& item, DWORD today);
  // Removes row `row`.
  void Remove(int row) { m_box->DeleteItem(static_cast<unsigned int>(row)); }
  // Gives row `row` the content of `item`, coloured by `today`; the selection stays.
  void SetRow(int row, const ItemRow& item, DWORD today);
  void Select(int row) { m_box->SetCurSel(row); }
  // Removes the selected item and selects the one now at its place, else the new last one.
  // False when no item is selected.
  bool DeleteSelected();
  void Clear() { m_box->ResetContent(); }
  int Count() const { return m_box != nullptr ? m_box->GetCount() : 0; }
  int Selected() const { return m_box != nullptr ? m_box->GetCurSel() : -1; }

 private:
  // The text column's width in a dated list.
  static constexpr int kTextColumnWidth = 320;

  // How many rows at each end are left as they were since the rows were marked as showing
  // `shown`, numbered `number`; 0 and 0 when that is not the file they were marked as showing.
  // The two runs do not overlap and fit in `shown`.
  void UnchangedEnds(const storage::ListFileAsRead* shown, std::uint64_t number, int* head,
                     int* tail) const;
  // The fields row `row` is saved with.
  storage::RecordFields FieldsOf(int row) const;
  // The colour of a row with this check and due date in the list shown, against `today`.
  COLORREF ColourOf(int check, DWORD due, DWORD today) const;
  // Calls each(item) for the rows [first, end), taking them from the box many at a time.
  template <typename Each>
  void ForEachRow(int first, int end, const Each& each) const;

  std::unique_ptr<CQuarnToDoListBox, CQuarnBoxDeleter> m_box;
  bool m_noDate = false;
  // The rows of a loaded list on their way into the box, kept so that the next long list
  // loaded takes no new memory for them.
  std::vector<QuarnItem> m_adding;
  // The file as read the rows were marked as showing; 0 for none.
  std::uint64_t m_shownAsRead = 0;
};

}  // namespace todo
