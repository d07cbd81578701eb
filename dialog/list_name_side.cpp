#include "dialog/list_name_side.h"

#include "dialog/box_rows.h"
#include "storage/list_names.h"

namespace todo {

namespace {

constexpr int kNameRowHeight = 20;

}  // namespace

void ListNameSide::Attach(CQuarnImageListBox* box, HBITMAP listBitmap) {
  m_box.reset(box);
  m_bitmap = listBitmap;
}

void ListNameSide::Configure(HFONT font) {
  if (m_box == nullptr) return;
  m_box->SetUseItemLine(0);
  m_box->SetUseColumnHeader(0);
  m_box->SetEditable(1);
  m_box->SetCtrlFont(font, 1);
  m_box->SetItemHeight(kNameRowHeight);
}

void ListNameSide::Fill(const std::vector<std::string>& names) {
  if (m_box == nullptr) return;
  m_box->ResetContent();
  for (const std::string& name : names) {
    if (!name.empty()) m_box->AddItem(m_bitmap, name.c_str(), 0);
  }
}

std::vector<std::string> ListNameSide::Names() const {
  std::vector<std::string> names;
  for (int row = 0; row < Count(); ++row) names.emplace_back(m_box->GetItemText(row));
  return names;
}

bool ListNameSide::Taken(const std::string& name, int except) const {
  for (int row = 0; row < Count(); ++row) {
    if (row != except && storage::SameNameIgnoringCase(m_box->GetItemText(row), name)) {
      return true;
    }
  }
  return false;
}

void ListNameSide::AddSelected(const std::string& name, bool atBottom) {
  if (atBottom || m_box->GetCount() == 0) {
    m_box->AddItem(m_bitmap, name.c_str(), 0);
  } else {
    m_box->InsertItem(0, m_bitmap, name.c_str(), 0);
  }
  m_box->SetCurSel(atBottom ? m_box->GetCount() - 1 : 0);
}

int ListNameSide::MoveSelected(int step) {
  if (m_box == nullptr) return -1;
  return MoveSelectedRow(*m_box, step,
                         [this](int to, const std::string& name, int, DWORD) { Insert(to, name); });
}

int ListNameSide::RowOf(const std::string& name) const {
  for (int row = 0; row < Count(); ++row) {
    if (name == m_box->GetItemText(row)) return row;
  }
  return -1;
}

int ListNameSide::RowOfFile(const std::string& name) const {
  const int exact = RowOf(name);
  if (exact >= 0) return exact;
  for (int row = 0; row < Count(); ++row) {
    if (storage::SameNameIgnoringCase(name, m_box->GetItemText(row))) return row;
  }
  return -1;
}

void ListNameSide::Insert(int row, const std::string& name) {
  if (row < m_box->GetCount()) {
    m_box->InsertItem(row, m_bitmap, name.c_str(), 0);
  } else {
    m_box->AddItem(m_bitmap, name.c_str(), 0);
  }
}

void ListNameSide::SetName(int row, const std::string& name) {
  const bool selected = m_box->GetCurSel() == row;
  m_box->DeleteItem(static_cast<unsigned int>(row));
  Insert(row, name);
  if (selected) m_box->SetCurSel(row);
}

}  // namespace todo
