#include "dialog/undo_history.h"

#include <utility>

namespace todo {

bool operator==(const ItemRow& a, const ItemRow& b) {
  return a.text == b.text && a.check == b.check && a.date == b.date;
}

std::size_t UndoStep::Bytes() const {
  std::size_t bytes = sizeof(UndoStep) + oldName.size() + newName.size() + list.size() +
                      before.text.size() + after.text.size() + selectedBefore.size() +
                      selectedAfter.size();
  for (const RemovedList& removed : lists) {
    bytes += sizeof(RemovedList) + removed.name.size() + removed.bytes.size();
  }
  for (const auto& item : items) bytes += sizeof(item) + item.second.text.size();
  for (const std::vector<ItemRow>* rows : {&rowsBefore, &rowsAfter}) {
    for (const ItemRow& entry : *rows) bytes += sizeof(entry) + entry.text.size();
  }
  return bytes;
}

void UndoHistory::Record(UndoStep step) {
  while (m_steps.size() > m_done) {
    m_bytes -= m_steps.back().Bytes();
    m_steps.pop_back();
  }
  m_bytes += step.Bytes();
  m_steps.push_back(std::move(step));
  m_done = m_steps.size();
  while (m_steps.size() > 1 && (m_steps.size() > kMostSteps || m_bytes > kMostBytes)) {
    m_bytes -= m_steps.front().Bytes();
    m_steps.pop_front();
    --m_done;
  }
}

const UndoStep* UndoHistory::NextUndo() const {
  return m_done > 0 ? &m_steps[m_done - 1] : nullptr;
}

void UndoHistory::ReplaceNextUndo(UndoStep step) {
  if (m_done == 0) return;
  UndoStep& next = m_steps[m_done - 1];
  m_bytes = m_bytes - next.Bytes() + step.Bytes();
  next = std::move(step);
}

void UndoHistory::ReplaceNextRedo(UndoStep step) {
  if (m_done >= m_steps.size()) return;
  UndoStep& next = m_steps[m_done];
  m_bytes = m_bytes - next.Bytes() + step.Bytes();
  next = std::move(step);
}

void UndoHistory::Undone() {
  if (m_done > 0) --m_done;
}

const UndoStep* UndoHistory::NextRedo() const {
  return m_done < m_steps.size() ? &m_steps[m_done] : nullptr;
}

void UndoHistory::Redone() {
  if (m_done < m_steps.size()) ++m_done;
}

}  // namespace todo
