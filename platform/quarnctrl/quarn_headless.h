#pragma once
// The headless front: a list box without a window, driven by tests as a user would drive the
// real one. It keeps a focus flag, an editor (column, text, date) and a scroll position, and
// turns clicks and keys into the same model calls, so the box raises the same events in the
// same order as the Win32 window does.

#include <string>
#include <vector>

#include "quarnctrl/quarn_model.h"

namespace quarn {

// One thing the model told its front had changed (see ListView::RowInserted and the rest).
struct Change {
  enum Kind { Inserted, Removed, Reset, Selected, Stored, Appended };
  Kind kind;
  int row;                       // -1 for a reset, or a selection of no row; the first appended
  RowPart part = RowPart::Text;  // what an edit stored (Stored only)
  int count = 1;                 // rows appended at once (Appended only)
  bool operator==(const Change& other) const {
    return kind == other.kind && row == other.row && (kind != Stored || part == other.part) &&
           (kind != Appended || count == other.count);
  }
};

class HeadlessFront : public ListView {
 public:
  explicit HeadlessFront(ListModel* model) : m_model(model) {}

  // --- Acting as the user ---
  // The focus moves into the box from elsewhere (Tab): event 1, unless it already has it.
  void Focus();
  // The focus moves elsewhere: an open editor ends as it does on losing the focus (stored).
  void Blur();
  // A single click at `row` (-1: below the rows) in `column`: event 1, then the selection
  // moves, or, on the selected row of a focused box, the cell's edit begins.
  void Click(int row, QuarnColumn column = QUARN_COLUMN_TEXT);
  // A double-click: the first press acts as in Click; the second only keeps an edit from
  // beginning.
  void DoubleClick(int row, QuarnColumn column = QUARN_COLUMN_TEXT);
  void PressKey(Key key);
  // Replaces the open text editor's text / sets the open date editor's date.
  void TypeText(const std::string& text);
  void PickDate(DWORD date);
  void PressEnter();   // ends the open edit, storing it
  void PressEscape();  // gives the open edit up

  // --- What the user would see ---
  bool HasFocus() const { return m_focus; }
  bool EditorOpen() const { return m_editorOpen; }
  QuarnColumn EditorColumn() const { return m_editorColumn; }
  const std::string& EditorText() const { return m_editorText; }
  DWORD EditorDate() const { return m_editorDate; }
  int TopRow() const { return m_top; }
  int Invalidations() const { return m_invalidations; }
  bool Destroyed() const { return m_destroyed; }
  HFONT Font() const { return m_font; }
  int ColumnWidth(int column) const { return m_model->ColumnWidth(column); }
  // The text colour row `row` is painted in (black for a bad row).
  COLORREF RowColour(int row) const {
    const Row* shown = m_model->RowAt(row);
    return shown != nullptr ? shown->colour : 0;
  }
  void SetVisibleRows(int rows) { m_visibleRows = rows > 0 ? rows : 1; }
  // What the model told of its changes, oldest first, since the last ForgetChanges.
  const std::vector<Change>& Changes() const { return m_changes; }
  void ForgetChanges() { m_changes.clear(); }

  // --- ListView ---
  void Invalidate() override { ++m_invalidations; }
  void ScrollIntoView(int row) override;
  int VisibleRows() const override { return m_visibleRows; }
  void OpenEditor(int row, QuarnColumn column) override;
  void CloseEditor() override;
  void SetFont(HFONT font, bool redraw) override;
  void Destroy() override;
  void RowInserted(int row) override { m_changes.push_back({Change::Inserted, row}); }
  void RowsAppended(int first, int count) override {
    m_changes.push_back({Change::Appended, first, RowPart::Text, count});
  }
  void RowRemoved(int row) override { m_changes.push_back({Change::Removed, row}); }
  void RowsReset() override { m_changes.push_back({Change::Reset, -1}); }
  void SelectionMoved(int row) override { m_changes.push_back({Change::Selected, row}); }
  void RowChanged(int row, RowPart part) override {
    m_changes.push_back({Change::Stored, row, part});
  }

 private:
  void Press(int row, QuarnColumn column);
  void EndEditor(bool store);

  ListModel* m_model;
  bool m_focus = false;
  bool m_pending = false;  // a press asked for an edit; it begins unless a double-click follows
  int m_pendingRow = -1;
  QuarnColumn m_pendingColumn = QUARN_COLUMN_TEXT;
  bool m_editorOpen = false;
  QuarnColumn m_editorColumn = QUARN_COLUMN_TEXT;
  std::string m_editorText;
  DWORD m_editorDate = 0;
  int m_top = 0;
  int m_visibleRows = 10;
  int m_invalidations = 0;
  bool m_destroyed = false;
  HFONT m_font = nullptr;
  std::vector<Change> m_changes;
};

// The headless front of a box made by NewQuarnCtrl in a headless build.
HeadlessFront* HeadlessFrontOf(CQuarnListBox* box);

}  // namespace quarn
