#pragma once
// A three-way merge of sequences: two copies of one sequence (mine and theirs), each edited on
// its own since they were the base, made one again. Elements are given as numbers, equal
// numbers for equal elements, so that the merge serves records and names alike. Pure; any
// thread.
//
// Each side is compared with the base by a shortest edit script. An element of the base is
// then, on each side, kept (in place or moved elsewhere), changed (removed and another added
// in its place), or removed; elements of a side that stand for none of the base are added.
// The merged sequence holds:
// - every element added on either side; one added on both sides alike, once;
// - every element of the base that neither side removed, as the side that changed it left it;
//   changed on both sides alike, once; changed on both sides differently, both versions, mine
//   first, and that is a conflict;
// - no element that one side removed and the other kept unchanged (unless `removalHolds` says
//   that their removal does not hold), nor one that both removed;
// - an element that one side removed and the other changed, as changed;
// - each element once, in mine's order; an element that only theirs moved, and what theirs
//   added, go where theirs put them: after the element before them in theirs that the merged
//   sequence holds, or first.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace storage {

// One copy of the sequence.
struct MergeSequence {
  // Each element by a number: equal numbers for equal elements.
  std::vector<std::uint32_t> ids;
  // Each element's key (for records, its text), or empty. Where one side removes an element and
  // adds another in the same place, the two are taken as one element changed: first pairs with
  // equal keys, then the rest in order. Without keys (both sides' empty), elements are never
  // changed, only removed and added.
  std::vector<std::uint32_t> keys;
};

enum class MergeSide : std::uint8_t { kMine, kTheirs };

// An element of the merged sequence: the side it is taken from and its index there.
struct MergePick {
  MergeSide side;
  std::uint32_t index;
};

struct MergeResult {
  std::vector<MergePick> picks;
  // For each element of mine, where it (or what it became) stands among picks; -1 when gone.
  std::vector<std::int32_t> placeOfMine;
  // Elements both sides changed differently; both versions are in picks.
  std::size_t conflicts = 0;
};

// Merges mine and theirs against base. `theirRemovalHolds(i)` says whether theirs' removal of
// base element i holds; null means every removal holds. Mine's removals always hold.
MergeResult MergeSequences(const MergeSequence& base, const MergeSequence& mine,
                           const MergeSequence& theirs,
                           const std::function<bool(std::size_t)>& theirRemovalHolds = nullptr);

}  // namespace storage
