#pragma once
// What a merge of a list changed both in the window and by another program must hold, told
// from what each side did to each item since the file was read (the base): the walk knows
// every item by its id, so it knows which side added, removed, ticked or edited what. It says
// which records the merged file holds, not where: the order is the merge's own, but for the
// window's records, which keep the window's order. Likewise for the names of the list-order
// file.

#include <functional>
#include <string>
#include <vector>

#include "support/list_model.h"

namespace chaos {

using namespace todo_test::lists;

struct ExpectedMerge {
  // Every record the merge holds, each as often as it holds it.
  std::vector<Item> records;
  // The window's records that the merge holds as the window has them, in the window's order.
  std::vector<Item> mineInOrder;
  // What became of each of the window's items in the merge (by its place in the window): the
  // record it stands as, or none when it is gone.
  std::vector<const Item*> fateOfMine;
  // Items both sides changed differently: both versions are kept, and the user is told. The
  // merge finds exactly these when the records changed on both sides were changed in place,
  // as the walk's other program sees to (chaos_outside_steps.cpp).
  int conflicts = 0;
};

ExpectedMerge ExpectMerge(const std::vector<Item>& base, const std::vector<Item>& mine,
                          const std::vector<Item>& theirs);

// The names the merged list-order file holds, sorted: the window's names but those the other
// program removed whose files are gone too (`fileGone`), and the names the other program
// added.
std::vector<std::string> ExpectNames(const std::vector<std::string>& base,
                                     const std::vector<std::string>& mine,
                                     const std::vector<std::string>& theirs,
                                     const std::function<bool(const std::string&)>& fileGone);

// Whether `part` appears in `whole` in its order, other records between.
bool InOrderWithin(const std::vector<Item>& part, const std::vector<Item>& whole);

// The records as a sorted list of their lines, to compare as sets with repeats.
std::vector<std::string> RecordLines(const std::vector<Item>& records);

}  // namespace chaos
