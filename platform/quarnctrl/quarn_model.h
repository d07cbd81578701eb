#pragma once
// The state of one list box and what the user's actions do to it, without any window: rows,
// selection, columns, options, handlers and the in-place edit. A front (the Win32 window, or
// the headless front of tests) turns mouse and keyboard input into the User* calls below and
// shows what the model holds; the model tells it through ListView what to show.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "quarnctrl/quarn_ctrl.h"
#include "quarnctrl/text_pool.h"

namespace quarn {

// One row; its text is kept by the model (ListModel::Text).
struct Row {
  HBITMAP image = nullptr;  // list-name box only; not owned
  int check = 0;            // item box only; kept as given
  DWORD data = 0;
  COLORREF colour = 0;  // text colour, black unless set
  TextRef text;         // where the model keeps the text
};

// The keys a box acts on.
enum class Key { Up, Down, Home, End, PageUp, PageDown, F2, Space };

// The part of a row an edit stored.
enum class RowPart { Text, Check, Date };

// How many rows at each end of a box are still the rows marked last (ListModel::MarkUnchanged),
// with the same text, check and data word. The two may overlap: with no change, both are the
// count of rows.
struct UnchangedEnds {
  int head = 0;  // rows from the first on
  int tail = 0;  // rows from the last back
};

// What a mouse press on a row asks the front to do next.
enum class PressResult {
  None,         // nothing more
  EditPending,  // start an edit of the pressed cell unless a double-click follows
};

// What the model asks of its front. Every call comes on the owner's thread.
class ListView {
 public:
  virtual ~ListView() = default;
  // Rows, selection, columns, colours or options changed: repaint when convenient.
  virtual void Invalidate() = 0;
  // Only what row `row` shows changed (its text, check, date or colour): repaint that row when
  // convenient. By default the whole box.
  virtual void InvalidateRow(int /*row*/) { Invalidate(); }
  // Scroll so that `row` is fully visible (a valid row index).
  virtual void ScrollIntoView(int row) = 0;
  // How many whole rows fit below the header; at least 1.
  virtual int VisibleRows() const = 0;
  // An edit of the text or date cell of `row` begins: put an editor over the cell holding the
  // row's current text (text column, at most 254 bytes) or date (date column), and give it
  // the focus. The front ends it with ListModel::CommitText, CommitDate or CancelEdit.
  virtual void OpenEditor(int row, QuarnColumn column) = 0;
  // The edit has ended: remove the editor. The model has already left the edit, so focus
  // and kill-focus messages the removal causes must not end it again.
  virtual void CloseEditor() = 0;
  // Use `font` for rows, header and editor (null: the system font).
  virtual void SetFont(HFONT font, bool redraw) = 0;
  // Destroy the window. The view object itself is deleted by the box afterwards.
  virtual void Destroy() = 0;

  // What changed, told after the change so that a front can pass it on (to a screen reader,
  // say). Row numbers are indexes as they are after the change. A front that needs none of it
  // keeps these empty.
  // A row now lies at `row` (added or inserted); the rows after it moved down one.
  virtual void RowInserted(int /*row*/) {}
  // `count` rows were added at once after the last, the first at `first`. By default told
  // as that many rows inserted.
  virtual void RowsAppended(int first, int count) {
    for (int row = first; row < first + count; ++row) RowInserted(row);
  }
  // The row that lay at `row` is gone; the rows after it moved up one.
  virtual void RowRemoved(int /*row*/) {}
  // Every row went at once.
  virtual void RowsReset() {}
  // Another row is selected: `row`, or -1 for none. Not told when the selected row only
  // changes its index because rows before it came or went, nor for a reset.
  virtual void SelectionMoved(int /*row*/) {}
  // An edit of `row` was stored: its text, its check or its date.
  virtual void RowChanged(int /*row*/, RowPart /*part*/) {}
};

class ListModel {
 public:
  static constexpr int kColumns = 3;
  static constexpr int kEditLimit = QUARN_EDIT_LIMIT;  // bytes an in-place text edit may hold
  static constexpr int kDefaultWidths[kColumns] = {200, 36, 90};

  explicit ListModel(bool checked);

  // The front to notify; may be null (then nothing is shown).
  void SetView(ListView* view) { m_view = view; }
  bool IsChecked() const { return m_checked; }

  // --- What the program does: never raises an event. ---
  void SetItemLine(bool use);
  void SetColumnHeader(bool use);
  void SetEditable(bool editable);
  void SetItemHeight(int pixels);
  void SetColumnLabel(int column, const char* label);
  void SetColumnWidth(int column, int pixels);
  // A row with a copy of text (which may be a row's own); Row::text is ignored.
  int Add(const Row& row, std::string_view text);                // index of the new row
  int Insert(int index, const Row& row, std::string_view text);  // -1 for index < 0 or > count
  // Rows for each of `items` (count > 0) after the last; the index of the first. Texts that
  // lie in `block` one after another, each past the byte that follows the one before, are
  // copied with it in one piece.
  int AddMany(const QuarnItem* items, int count, std::string_view block = {});
  int Delete(int index);  // new count, or -1 for a bad index
  void Reset();           // keeps the blocks of the rows and their texts
  // Room for that many rows in all, and for that many bytes of their texts more.
  void Reserve(int rows, std::size_t textBytes);
  int SetSelection(int index);  // the new selection, or -1 for a bad index
  void SetColour(int index, COLORREF colour);
  void SetHandler(int event, QUARNCALLBACK handler, void* user);
  // Takes the rows as they are now as the rows that Unchanged counts.
  void MarkUnchanged() { m_unchanged = UnchangedEnds{Count(), Count()}; }
  // The rows at each end left as they were since MarkUnchanged: every change to a row's text,
  // check or data word, and every row added, inserted or deleted, ends the runs there; a reset
  // ends them both. Before the first mark, none.
  UnchangedEnds Unchanged() const { return m_unchanged; }

  int Count() const { return static_cast<int>(m_rows.size()); }
  int Selection() const { return m_selection; }
  const Row* RowAt(int index) const;  // null for a bad index
  // A row's text, ending in a zero byte, valid until the next change to any row of this
  // model; for a bad index, the empty text.
  std::string_view Text(int index) const;
  const char* CText(int index) const { return Text(index).data(); }
  bool ItemLine() const { return m_itemLine; }
  bool ColumnHeader() const { return m_columnHeader; }
  bool Editable() const { return m_editable; }
  int ItemHeight() const { return m_itemHeight; }
  const std::string& ColumnLabel(int column) const;
  int ColumnWidth(int column) const;
  // Copies the text of the edit that ended last (see CQuarnListBox::GetEditText).
  int EditText(char* buffer, int capacity) const;

  // --- What the user does: raises events, in the documented order. ---
  // A mouse press in the box, or the focus moving into it from outside: event 1.
  void UserActivate();
  // The user picks `row` (a valid row other than the selected one): 8 (mouse, or any cause
  // in the item box) or 10 (keyboard in the list-name box), then, unless 8/10 answered 0,
  // the move and 9. Returns whether the selection moved.
  bool UserSelect(int row, bool byKeyboard);
  // A mouse press on `row` (-1: below the last row) in `column` while the box had the focus
  // (`hadFocus`) or not. Selects another row, or, on the selected row of a focused editable
  // box, toggles a check cell at once or answers EditPending for a text or date cell. The
  // front raises UserActivate itself, before this.
  PressResult UserPress(int row, QuarnColumn column, bool hadFocus);
  // A key pressed in the box: moves the selection (Up, Down, Home, End, PageUp, PageDown),
  // edits the selected row's text (F2) or toggles its check (Space, item box).
  void UserKey(Key key);

  // Starts an in-place edit of `column` in the selected row `row`: event 11, then a check is
  // toggled and stored at once (event 13), or the front is asked to open an editor. Nothing
  // happens unless the box is editable and `row` is the selection. Returns whether an edit
  // started.
  bool BeginEdit(int row, QuarnColumn column);
  bool Editing() const { return m_editing; }
  int EditRow() const { return m_editRow; }
  QuarnColumn EditColumn() const { return m_editColumn; }
  // Ends a text edit with `text` (line breaks and tabs become spaces; cut to the edit limit).
  // An empty text gives the edit up. List-name box: event 12 decides; item box: stored, 13.
  void CommitText(const std::string& text);
  // Ends a date edit with a packed date: stored as the row's data word, then event 13.
  void CommitDate(DWORD date);
  // Gives the edit up: nothing stored, no event.
  void CancelEdit();

 private:
  int Raise(int event);
  void SetText(int row, std::string_view text);
  // The row now at `row` is new or changed; with `removed`, the row that lay there is gone.
  void RowTouched(int row, bool removed = false);
  void CompactTexts();
  // AddMany's two ways: texts that lie in block one after another are copied with it in one
  // piece (false, adding nothing, when they do not, or when the block holds a zero byte); any
  // others one by one.
  bool AddInOneBlock(const QuarnItem* items, int count, std::string_view block);
  void AddOneByOne(const QuarnItem* items, int count);
  void FillRow(Row& row, const QuarnItem& item, TextRef text) const;
  void Invalidate();
  void InvalidateRow(int row);
  void MoveSelection(int row);  // selects `row` and tells the front when that is another row
  void CloseEdit();             // leaves the edit state, then closes the front's editor

  struct Handler {
    QUARNCALLBACK function = nullptr;
    void* user = nullptr;
  };

  bool m_checked;
  std::vector<Row> m_rows;
  TextPool m_texts;
  int m_selection = -1;
  bool m_itemLine = false;
  bool m_columnHeader = false;
  bool m_editable = false;
  int m_itemHeight = 18;
  std::array<std::string, kColumns> m_labels;
  std::array<int, kColumns> m_widths;
  std::array<Handler, 16> m_handlers;
  bool m_editing = false;
  int m_editRow = -1;
  QuarnColumn m_editColumn = QUARN_COLUMN_TEXT;
  std::string m_editText;
  ListView* m_view = nullptr;
  UnchangedEnds m_unchanged;
};

}  // namespace quarn
