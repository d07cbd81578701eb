#include "dialog/undo_history.h"

#include <utility>

namespace todo {

void UndoHistory::Record(std::unique_ptr<UndoStep> step) {
  while (m_steps.size() > m_done) {
    m_bytes -= m_steps.back().bytes;
    m_steps.pop_back();
  }
  const std::size_t bytes = step->Bytes();
  m_bytes += bytes;
  m_steps.push_back(Entry{std::move(step), bytes});
  m_done = m_steps.size();
  DropOldest();
}

void UndoHistory::DropOldest() {
  while (m_steps.size() > 1 && (m_steps.size() > kMostSteps || m_bytes > kMostBytes)) {
    m_bytes -= m_steps.front().bytes;
    m_steps.pop_front();
    if (m_done > 0) --m_done;
  }
}

void UndoHistory::Recount(Entry& entry) {
  m_bytes -= entry.bytes;
  entry.bytes = entry.step->Bytes();
  m_bytes += entry.bytes;
}

UndoStep* UndoHistory::NextUndo() {
  return m_done > 0 ? m_steps[m_done - 1].step.get() : nullptr;
}

void UndoHistory::Undone() {
  if (m_done == 0) return;
  --m_done;
  Recount(m_steps[m_done]);
}

UndoStep* UndoHistory::NextRedo() {
  return m_done < m_steps.size() ? m_steps[m_done].step.get() : nullptr;
}

void UndoHistory::Redone() {
  if (m_done >= m_steps.size()) return;
  Recount(m_steps[m_done]);
  ++m_done;
}

}  // namespace todo
