#include "quarnctrl/win32/list_layout.h"

#include <algorithm>

namespace quarn::win32 {

constexpr QuarnColumn ListLayout::kScreenOrder[ListModel::kColumns];

ListLayout::ListLayout(const ListModel& model, int width, int height, int topRow)
    : m_width(std::max(0, width)),
      m_height(std::max(0, height)),
      m_top(std::max(0, topRow)),
      m_count(model.Count()),
      m_rowHeight(std::max(1, model.ItemHeight())),
      m_header(model.ColumnHeader() ? std::max(1, model.ItemHeight()) : 0),
      m_checked(model.IsChecked()) {
  for (int column = 0; column < ListModel::kColumns; ++column) {
    m_widths[column] = std::max(0, model.ColumnWidth(column));
  }
}

int ListLayout::WholeRows() const {
  return std::max(1, (m_height - m_header) / m_rowHeight);
}

int ListLayout::EndRow() const {
  int space = std::max(0, m_height - m_header);
  int shown = (space + m_rowHeight - 1) / m_rowHeight;
  return std::min(m_count, m_top + shown);
}

RECT ListLayout::RowRect(int row) const {
  long top = m_header + static_cast<long>(row - m_top) * m_rowHeight;
  return RECT{0, top, m_width, top + m_rowHeight};
}

void ListLayout::ColumnEdges(QuarnColumn column, long* left, long* right) const {
  if (!m_checked) {
    *left = 0;
    *right = m_width;
    return;
  }
  long x = 0;
  for (QuarnColumn shown : kScreenOrder) {
    if (shown == column) {
      *left = x;
      *right = x + m_widths[shown];
      return;
    }
    x += m_widths[shown];
  }
  *left = *right = x;
}

RECT ListLayout::HeaderCell(QuarnColumn column) const {
  RECT cell{0, 0, 0, m_header};
  ColumnEdges(column, &cell.left, &cell.right);
  cell.left = std::min<long>(cell.left, m_width);
  cell.right = std::min<long>(cell.right, m_width);
  return cell;
}

RECT ListLayout::CellRect(int row, QuarnColumn column) const {
  RECT cell = RowRect(row);
  ColumnEdges(column, &cell.left, &cell.right);
  cell.left = std::min<long>(cell.left, m_width);
  cell.right = std::min<long>(cell.right, m_width);
  return cell;
}

int ListLayout::RowAt(int y) const {
  if (y < m_header) return -1;
  int row = m_top + (y - m_header) / m_rowHeight;
  return row < m_count ? row : -1;
}

QuarnColumn ListLayout::ColumnAt(int x) const {
  if (!m_checked) return QUARN_COLUMN_TEXT;
  long left = 0;
  long right = 0;
  ColumnEdges(QUARN_COLUMN_CHECK, &left, &right);
  if (x < right) return QUARN_COLUMN_CHECK;
  ColumnEdges(QUARN_COLUMN_TEXT, &left, &right);
  if (x < right) return QUARN_COLUMN_TEXT;
  return QUARN_COLUMN_DATE;
}

}  // namespace quarn::win32
