#pragma once
// The steps of a save after the user ticked one item of the shown list (dialog/disk_sync.cpp),
// run here one by one on one thread with the same functions on the same kind of file, so that
// each can be timed: the list folder's lock taken and let go, the file read whole and compared
// with what was read last, the box's rows viewed as records (the rows left alone at each end
// taken from the file as read, as the window's saves take them), those records compared with
// the file as read, the file formatted (with where each record lies in it), written, flushed
// and moved over the old file, kept as the file as read, and the records let go. Portable:
// natively over a headless item box, under Wine over a real one.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench_timing.h"
#include "dialog/item_side.h"
#include "storage/atomic_save.h"
#include "storage/file_reading.h"
#include "storage/files.h"
#include "storage/list_file_as_read.h"

namespace bench {

// Milliseconds of each step of one save.
struct TimerSaveSteps {
  double lock = 0;     // taking the list folder's lock and letting it go
  double read = 0;     // reading the file and comparing it with the bytes read last
  double compare = 0;  // the records against the file as read
  double records = 0;  // the box's rows viewed as records
  double format = 0;   // the bytes of the new file, and where each record lies in them
  double write = 0;    // written to a temporary file, flushed and moved over the list file
  double keep = 0;     // the file as written kept as the file as read
  double freed = 0;    // the records let go
};

// Ticks (or unticks) the first item of `items`, which shows `*asRead`, the file at `path`, and
// saves it step by step as the window's saves do; afterwards *asRead is the file as written.
// `*number` is the number `items` was marked as showing *asRead with (ItemSide::MarkShown);
// afterwards the next one, which the rows are marked with. False when a step did not do what
// the save needs of it.
inline bool TimeTimerSave(storage::Files& files, const std::string& lockPath,
                          const std::string& path, todo::ItemSide& items,
                          storage::ListFileAsRead* asRead, std::uint64_t* number,
                          TimerSaveSteps* steps) {
  todo::ItemRow first = items.RowAt(0);
  first.check = first.check == 0 ? 1 : 0;
  items.SetRow(0, first, 0);

  auto start = std::chrono::steady_clock::now();
  std::unique_ptr<storage::HeldLock> lock = files.Lock(lockPath, storage::IfHeld::kFailAtOnce);
  steps->lock = MillisecondsSince(start);
  if (lock == nullptr) return false;

  start = std::chrono::steady_clock::now();
  bool asWasRead = false;
  const bool read = storage::CompareWholeFile(files, path, asRead->Bytes(), &asWasRead) ==
                    storage::OpenResult::kOpened;
  steps->read = MillisecondsSince(start);

  start = std::chrono::steady_clock::now();
  storage::ListToWrite list;
  items.ToWrite(&list, asRead, *number);
  steps->records = MillisecondsSince(start);

  start = std::chrono::steady_clock::now();
  const bool changedHereOnly = !asRead->Holds(list) && asWasRead;
  steps->compare = MillisecondsSince(start);

  start = std::chrono::steady_clock::now();
  storage::ListFileAsRead written = storage::FormatListFileAsRead(list, asRead);
  steps->format = MillisecondsSince(start);

  start = std::chrono::steady_clock::now();
  const bool saved =
      storage::SaveFileAtomically(files, path, written.Bytes(), storage::IfHeld::kFailAtOnce);
  steps->write = MillisecondsSince(start);

  start = std::chrono::steady_clock::now();
  *asRead = std::move(written);
  items.MarkShown(++*number);
  steps->keep = MillisecondsSince(start);

  start = std::chrono::steady_clock::now();
  list = storage::ListToWrite();
  steps->freed = MillisecondsSince(start);

  start = std::chrono::steady_clock::now();
  lock.reset();
  steps->lock += MillisecondsSince(start);
  return read && changedHereOnly && saved;
}

// Prints "step_<name>_ms best median worst" for each step of the rounds' saves.
inline void PrintSteps(const std::vector<TimerSaveSteps>& rounds) {
  const struct {
    const char* name;
    double TimerSaveSteps::*step;
  } steps[] = {
      {"step_lock_ms", &TimerSaveSteps::lock},       {"step_read_ms", &TimerSaveSteps::read},
      {"step_compare_ms", &TimerSaveSteps::compare}, {"step_records_ms", &TimerSaveSteps::records},
      {"step_format_ms", &TimerSaveSteps::format},   {"step_write_ms", &TimerSaveSteps::write},
      {"step_keep_ms", &TimerSaveSteps::keep},       {"step_freed_ms", &TimerSaveSteps::freed}};
  for (const auto& step : steps) {
    std::vector<double> times;
    for (const TimerSaveSteps& round : rounds) times.push_back(round.*step.step);
    PrintTimes(step.name, times);
  }
}

}  // namespace bench
