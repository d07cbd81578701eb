#pragma once
// Random edits of a list, of the kinds the window makes: the no-date marker switched, an item
// deleted, moved or ticked, an item copied in. Copies make equal items, so that a save must
// choose between equal stored lines; with nothing to copy, the item copied in is one whose
// text is the marker's, which must never be written as the marker. The random engine decides
// everything, so that a seed repeats its edits. Used by the storage tests and the list file
// fuzz target.

#include <cstddef>
#include <utility>
#include <vector>

#include "storage/list_file_format.h"

// Copies are taken from `copiesFrom`, or from the list itself when it is null.
template <typename Random>
void EditAtRandom(storage::ListFileContent* list, int edits, Random& random,
                  const std::vector<storage::ListRecord>* copiesFrom = nullptr) {
  std::vector<storage::ListRecord>& records = list->records;
  const auto place = [&records](std::size_t at) {
    return records.begin() + static_cast<std::ptrdiff_t>(at);
  };
  for (; edits > 0; --edits) {
    const std::size_t at = records.empty() ? 0 : random() % records.size();
    const unsigned kind = random() % 5;
    const std::vector<storage::ListRecord>& source = copiesFrom ? *copiesFrom : records;
    if (kind == 0) {
      list->noDate = !list->noDate;
    } else if (kind == 4) {
      storage::ListRecord copy;
      copy.text = "NO_DATE";
      if (!source.empty()) copy = source[random() % source.size()];
      records.insert(place(at), std::move(copy));
    } else if (records.empty()) {
      continue;  // nothing to delete, move or tick
    } else if (kind == 1) {
      records.erase(place(at));
    } else if (kind == 2) {
      storage::ListRecord moved = std::move(records[at]);
      records.erase(place(at));
      records.insert(place(random() % (records.size() + 1)), std::move(moved));
    } else {
      records[at].done = records[at].done == 0 ? 1 : 0;
    }
  }
}
