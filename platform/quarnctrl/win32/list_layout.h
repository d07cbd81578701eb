#pragma once
// Where the parts of a box lie in its client area for one scroll position: the header row,
// the rows, and the cells of the columns. Painting, hit-testing and the editors all place
// things through it, so a click always lands on the cell that was drawn there.
//
// The header row, when shown, is as tall as a row. The item box shows its columns left to
// right as check (column 1), text (column 0) and date (column 2), each as wide as the model
// says; the list-name box has one column across the whole width.

#include <windows.h>

#include "quarnctrl/quarn_model.h"

namespace quarn::win32 {

class ListLayout {
 public:
  // Columns of the item box in screen order.
  static constexpr QuarnColumn kScreenOrder[ListModel::kColumns] = {
      QUARN_COLUMN_CHECK, QUARN_COLUMN_TEXT, QUARN_COLUMN_DATE};

  ListLayout(const ListModel& model, int width, int height, int topRow);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int HeaderHeight() const { return m_header; }
  int RowHeight() const { return m_rowHeight; }
  int TopRow() const { return m_top; }
  bool Checked() const { return m_checked; }

  // Rows that fit whole below the header; at least 1.
  int WholeRows() const;
  // One past the last row that shows, even in part. Painting covers TopRow() to EndRow() only.
  int EndRow() const;

  RECT RowRect(int row) const;
  // The header cell of a column (zero height without a header).
  RECT HeaderCell(QuarnColumn column) const;
  // A cell of a row, cut at the right edge of the client area.
  RECT CellRect(int row, QuarnColumn column) const;

  // The row under `y`, or -1 in the header or below the last row.
  int RowAt(int y) const;
  // The column under `x`; right of the text column is the date column.
  QuarnColumn ColumnAt(int x) const;

 private:
  void ColumnEdges(QuarnColumn column, long* left, long* right) const;

  int m_width;
  int m_height;
  int m_top;
  int m_count;
  int m_rowHeight;
  int m_header;
  bool m_checked;
  int m_widths[ListModel::kColumns];
};

}  // namespace quarn::win32
