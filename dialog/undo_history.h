#pragma once
// The steps the user took in the window, kept so that each can be undone and done again, in
// the order they were taken (undo_step.h). The history is bounded: beyond a number of steps or
// of bytes held, the oldest steps are dropped. Portable; one per dialog, on the tool thread.

#include <cstddef>
#include <deque>
#include <memory>

#include "dialog/undo_step.h"

namespace todo {

class UndoHistory {
 public:
  static constexpr std::size_t kMostSteps = 1000;
  static constexpr std::size_t kMostBytes = 64u << 20;

  // Adds `step` as the latest; the steps undone before it can no longer be done again. The
  // oldest steps are dropped while there are too many or they hold too much.
  void Record(std::unique_ptr<UndoStep> step);
  // The step an undo takes back, or null. Undone() moves past it once it was taken back.
  UndoStep* NextUndo();
  void Undone();
  // The step a redo does again, or null. Redone() moves past it once it was done.
  UndoStep* NextRedo();
  void Redone();

  std::size_t StepCount() const { return m_steps.size(); }

 private:
  struct Entry {
    std::unique_ptr<UndoStep> step;
    std::size_t bytes;  // as counted last: a step taken back or done again is counted again
  };
  void Recount(Entry& entry);
  void DropOldest();

  std::deque<Entry> m_steps;
  // Steps before this index are done; from it on they were undone.
  std::size_t m_done = 0;
  std::size_t m_bytes = 0;
};

}  // namespace todo
