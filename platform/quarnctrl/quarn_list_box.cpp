// The exported box classes: thin owners of a model and its front.

#include <cstring>
#include <string_view>

#include "text/cp932.h"
#include "quarnctrl/quarn_ctrl.h"
#include "quarnctrl/quarn_model.h"

namespace {

constexpr std::size_t kTextBufferBytes = 256;  // what GetText's callers provide

quarn::Row MakeRow(HBITMAP image, int check, DWORD data) {
  quarn::Row row;
  row.image = image;
  row.check = check;
  row.data = data;
  return row;
}

std::string_view TextOrEmpty(const char* text) {
  return text != nullptr ? std::string_view(text) : std::string_view();
}

}  // namespace

CQuarnListBox::CQuarnListBox(bool checked)
    : m_pModel(new quarn::ListModel(checked)), m_pView(nullptr) {}

CQuarnListBox::~CQuarnListBox() {
  DestroyCtrl();
  delete m_pModel;
}

void CQuarnListBox::AttachView(quarn::ListView* view) {
  m_pView = view;
  m_pModel->SetView(view);
}

void CQuarnListBox::DestroyCtrl() {
  if (m_pView == nullptr) return;
  m_pModel->CancelEdit();
  m_pModel->SetView(nullptr);
  m_pView->Destroy();
  delete m_pView;
  m_pView = nullptr;
}

void CQuarnListBox::RefreshCtrl() {
  if (m_pView == nullptr) return;
  if (m_pModel->Selection() >= 0) m_pView->ScrollIntoView(m_pModel->Selection());
  m_pView->Invalidate();
}

void CQuarnListBox::SetCtrlFont(HFONT font, int redraw) {
  if (m_pView != nullptr) m_pView->SetFont(font, redraw != 0);
}

void CQuarnListBox::SetCallback(int event, QUARNCALLBACK handler, void* user) {
  m_pModel->SetHandler(event, handler, user);
}

int CQuarnListBox::GetEditText(char* buffer, int capacity) {
  return m_pModel->EditText(buffer, capacity);
}

void CQuarnListBox::SetUseItemLine(int use) {
  m_pModel->SetItemLine(use != 0);
}

void CQuarnListBox::SetUseColumnHeader(int use) {
  m_pModel->SetColumnHeader(use != 0);
}

void CQuarnListBox::SetEditable(int editable) {
  m_pModel->SetEditable(editable != 0);
}

void CQuarnListBox::SetItemHeight(int pixels) {
  m_pModel->SetItemHeight(pixels);
}

void CQuarnListBox::SetColumnLabel(int column, const char* label) {
  m_pModel->SetColumnLabel(column, label);
}

void CQuarnListBox::SetColumnWidth(int column, int pixels) {
  m_pModel->SetColumnWidth(column, pixels);
}

int CQuarnListBox::AddRow(HBITMAP image, int check, const char* text, DWORD data) {
  return m_pModel->Add(MakeRow(image, check, data), TextOrEmpty(text));
}

int CQuarnListBox::InsertRow(int index, HBITMAP image, int check, const char* text, DWORD data) {
  return m_pModel->Insert(index, MakeRow(image, check, data), TextOrEmpty(text));
}

int CQuarnListBox::DeleteItem(unsigned int index) {
  if (index >= static_cast<unsigned int>(m_pModel->Count())) return -1;
  return m_pModel->Delete(static_cast<int>(index));
}

void CQuarnListBox::ResetContent() {
  m_pModel->Reset();
}

void CQuarnListBox::InitStorage(int rows, int textBytes) {
  m_pModel->Reserve(rows, textBytes > 0 ? static_cast<std::size_t>(textBytes) : 0);
}

int CQuarnListBox::GetCount() const {
  return m_pModel->Count();
}

int CQuarnListBox::IsEditing() const {
  return m_pModel->Editing() ? 1 : 0;
}

int CQuarnListBox::GetCurSel() const {
  return m_pModel->Selection();
}

int CQuarnListBox::SetCurSel(int index) {
  return m_pModel->SetSelection(index);
}

int CQuarnListBox::GetText(int index, char* buffer) const {
  if (buffer == nullptr) return -1;
  if (m_pModel->RowAt(index) == nullptr) {
    buffer[0] = '\0';
    return -1;
  }
  const std::string_view text = m_pModel->Text(index);
  std::size_t length = cp932::CutLength(text.data(), text.size(), kTextBufferBytes - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

const char* CQuarnListBox::GetItemText(int index) const {
  return m_pModel->CText(index);
}

int CQuarnListBox::AddItems(const QuarnItem* items, int count) {
  if (items == nullptr || count < 1) return -1;
  return m_pModel->AddMany(items, count);
}

int CQuarnListBox::AddItemsInBlock(const QuarnItem* items, int count, const char* block,
                                   int blockSize) {
  if (items == nullptr || count < 1) return -1;
  const std::string_view texts = block != nullptr && blockSize > 0
                                     ? std::string_view(block, static_cast<std::size_t>(blockSize))
                                     : std::string_view();
  return m_pModel->AddMany(items, count, texts);
}

int CQuarnListBox::GetItems(int first, int count, QuarnItem* items) const {
  if (items == nullptr || first < 0 || count < 1 || first >= m_pModel->Count()) return 0;
  const int copied = count < m_pModel->Count() - first ? count : m_pModel->Count() - first;
  for (int at = 0; at < copied; ++at) {
    const quarn::Row& row = *m_pModel->RowAt(first + at);
    const std::string_view text = m_pModel->Text(first + at);
    items[at] =
        QuarnItem{text.data(), static_cast<int>(text.size()), row.check, row.data, row.colour};
  }
  return copied;
}

int CQuarnListBox::GetItemCheck(int index) const {
  const quarn::Row* row = m_pModel->RowAt(index);
  return row != nullptr ? row->check : 0;
}

DWORD CQuarnListBox::GetItemData(int index) const {
  const quarn::Row* row = m_pModel->RowAt(index);
  return row != nullptr ? row->data : 0;
}

DWORD CQuarnListBox::GetItemDate(int index) const {
  return GetItemData(index);
}

void CQuarnListBox::SetItemColor(int index, COLORREF colour) {
  m_pModel->SetColour(index, colour);
}

void CQuarnListBox::MarkRowsUnchanged() {
  m_pModel->MarkUnchanged();
}

void CQuarnListBox::GetUnchangedRows(int* head, int* tail) const {
  const quarn::UnchangedEnds ends = m_pModel->Unchanged();
  if (head != nullptr) *head = ends.head;
  if (tail != nullptr) *tail = ends.tail;
}

CQuarnImageListBox::CQuarnImageListBox() : CQuarnListBox(false) {}

int CQuarnImageListBox::AddItem(HBITMAP image, const char* text, DWORD data) {
  return AddRow(image, 0, text, data);
}

int CQuarnImageListBox::InsertItem(int index, HBITMAP image, const char* text, DWORD data) {
  return InsertRow(index, image, 0, text, data);
}

CQuarnCheckedListBox::CQuarnCheckedListBox() : CQuarnListBox(true) {}

int CQuarnCheckedListBox::AddItem(int check, const char* text, DWORD data) {
  return AddRow(nullptr, check, text, data);
}

int CQuarnCheckedListBox::InsertItem(int index, int check, const char* text, DWORD data) {
  return InsertRow(index, nullptr, check, text, data);
}

CQuarnToDoListBox::CQuarnToDoListBox() : CQuarnCheckedListBox() {}
