#include "storage/sequence_merge.h"

#include <algorithm>
#include <deque>
#include <unordered_map>
#include <ostream>
#include <utility>

// The diff library's header includes <iostream> for printing functions we never call. With
// the C++ library linked statically into the DLL, <iostream>'s set-up of the standard streams
// would bring in some 850 KB of the library's locale code. Its declarations come from
// <ostream> instead, and <iostream> itself is skipped.
#if defined(__GLIBCXX__) && !defined(_GLIBCXX_IOSTREAM)
#define _GLIBCXX_IOSTREAM 1
namespace std {
extern ostream cout;
}  // namespace std
#endif
#include <dtl.hpp>

namespace storage {

namespace {

constexpr std::int32_t kNone = -1;

// Where both sides of what differs hold more elements than this, no edit script is searched
// (its cost grows with the product of length and differences): all of it counts as removed and
// added, and equal elements are then paired up as moved ones.
constexpr std::size_t kLongestScriptedRun = 20000;

// How one side stands to the base.
struct SideMatch {
  std::vector<std::int32_t> baseOf;   // for each element of the side: its base element, or kNone
  std::vector<std::int32_t> sideOf;   // for each element of the base: the side's, or kNone
  std::vector<std::uint8_t> changed;  // for each element of the base: its content differs
  std::vector<std::uint8_t> moved;    // for each element of the base: it left its place
};

// A run of removals and additions between elements kept in place.
struct Hunk {
  std::vector<std::uint32_t> removed;  // base indexes
  std::vector<std::uint32_t> added;    // side indexes
};

class Matcher {
 public:
  Matcher(const MergeSequence& base, const MergeSequence& side) : m_base(base), m_side(side) {
    m_match.baseOf.assign(side.ids.size(), kNone);
    m_match.sideOf.assign(base.ids.size(), kNone);
    m_match.changed.assign(base.ids.size(), 0);
    m_match.moved.assign(base.ids.size(), 0);
  }

  SideMatch Run() {
    FindKeptInPlace();
    PairMoves();
    if (!m_base.keys.empty() && !m_side.keys.empty()) PairChanges();
    return std::move(m_match);
  }

 private:
  void Pair(std::size_t base, std::size_t side) {
    m_match.sideOf[base] = static_cast<std::int32_t>(side);
    m_match.baseOf[side] = static_cast<std::int32_t>(base);
  }

  void CloseHunk(Hunk* hunk) {
    if (hunk->removed.empty() && hunk->added.empty()) return;
    m_hunks.push_back(std::move(*hunk));
    *hunk = Hunk();
  }

  // The elements a shortest edit script keeps, and the hunks between them. Equal ends are
  // taken first, so that a long list with a few changes gives the script only what differs.
  void FindKeptInPlace() {
    const std::vector<std::uint32_t>& a = m_base.ids;
    const std::vector<std::uint32_t>& b = m_side.ids;
    std::size_t front = 0;
    while (front < a.size() && front < b.size() && a[front] == b[front]) {
      Pair(front, front);
      ++front;
    }
    std::size_t aEnd = a.size();
    std::size_t bEnd = b.size();
    while (aEnd > front && bEnd > front && a[aEnd - 1] == b[bEnd - 1]) Pair(--aEnd, --bEnd);
    Hunk hunk;
    if (aEnd - front > kLongestScriptedRun && bEnd - front > kLongestScriptedRun) {
      for (std::size_t i = front; i < aEnd; ++i)
        hunk.removed.push_back(static_cast<std::uint32_t>(i));
      for (std::size_t i = front; i < bEnd; ++i)
        hunk.added.push_back(static_cast<std::uint32_t>(i));
      CloseHunk(&hunk);
      return;
    }
    if (front == aEnd && front == bEnd) return;
    const std::vector<std::uint32_t> aMiddle(a.begin() + front, a.begin() + aEnd);
    const std::vector<std::uint32_t> bMiddle(b.begin() + front, b.begin() + bEnd);
    dtl::Diff<std::uint32_t> diff(aMiddle, bMiddle);
    diff.compose();
    // The script's indexes count from 1.
    for (const auto& step : diff.getSes().getSequence()) {
      const std::size_t before = front + static_cast<std::size_t>(step.second.beforeIdx) - 1;
      const std::size_t after = front + static_cast<std::size_t>(step.second.afterIdx) - 1;
      switch (step.second.type) {
        case dtl::SES_COMMON:
          Pair(before, after);
          CloseHunk(&hunk);
          break;
        case dtl::SES_DELETE:
          hunk.removed.push_back(static_cast<std::uint32_t>(before));
          break;
        case dtl::SES_ADD:
          hunk.added.push_back(static_cast<std::uint32_t>(after));
          break;
        default:
          break;
      }
    }
    CloseHunk(&hunk);
  }

  // An element removed in one place and an equal one added in another is one element moved.
  void PairMoves() {
    std::unordered_map<std::uint32_t, std::deque<std::uint32_t>> removedById;
    for (const Hunk& hunk : m_hunks) {
      for (std::uint32_t removed : hunk.removed)
        removedById[m_base.ids[removed]].push_back(removed);
    }
    if (removedById.empty()) return;
    for (const Hunk& hunk : m_hunks) {
      for (std::uint32_t added : hunk.added) {
        const auto found = removedById.find(m_side.ids[added]);
        if (found == removedById.end() || found->second.empty()) continue;
        const std::uint32_t removed = found->second.front();
        found->second.pop_front();
        Pair(removed, added);
        m_match.moved[removed] = 1;
      }
    }
  }

  // An element removed and one added with an equal key are one element changed (a record
  // ticked off or given another date keeps its text), moved too when they are apart. Then,
  // within a hunk, the rest removed and added in one place are paired in order.
  void PairChanges() {
    std::unordered_map<std::uint32_t, std::deque<std::uint32_t>> removedByKey;
    for (const Hunk& hunk : m_hunks) {
      for (std::uint32_t index : hunk.removed) {
        if (m_match.sideOf[index] == kNone) removedByKey[m_base.keys[index]].push_back(index);
      }
    }
    for (const Hunk& hunk : m_hunks) {
      for (std::uint32_t index : hunk.added) {
        if (m_match.baseOf[index] != kNone) continue;
        const auto found = removedByKey.find(m_side.keys[index]);
        if (found == removedByKey.end() || found->second.empty()) continue;
        const std::uint32_t removed = found->second.front();
        found->second.pop_front();
        PairChanged(removed, index);
        m_match.moved[removed] =
            std::find(hunk.removed.begin(), hunk.removed.end(), removed) == hunk.removed.end();
      }
    }
    for (const Hunk& hunk : m_hunks) {
      std::size_t next = 0;
      for (std::uint32_t index : hunk.added) {
        if (m_match.baseOf[index] != kNone) continue;
        while (next < hunk.removed.size() && m_match.sideOf[hunk.removed[next]] != kNone) ++next;
        if (next == hunk.removed.size()) break;
        PairChanged(hunk.removed[next], index);
      }
    }
  }

  void PairChanged(std::size_t base, std::size_t side) {
    Pair(base, side);
    m_match.changed[base] = m_base.ids[base] != m_side.ids[side];
  }

  const MergeSequence& m_base;
  const MergeSequence& m_side;
  SideMatch m_match;
  std::vector<Hunk> m_hunks;
};

class Merger {
 public:
  Merger(const MergeSequence& base, const MergeSequence& mine, const MergeSequence& theirs,
         const std::function<bool(std::size_t)>& theirRemovalHolds)
      : m_mine(mine),
        m_theirs(theirs),
        m_m(Matcher(base, mine).Run()),
        m_t(Matcher(base, theirs).Run()) {
    const std::size_t count = base.ids.size();
    m_alive.assign(count, 0);
    m_placedByTheirs.assign(count, 0);
    for (std::size_t b = 0; b < count; ++b) {
      const bool inMine = m_m.sideOf[b] != kNone;
      const bool inTheirs = m_t.sideOf[b] != kNone;
      if (inMine && inTheirs) {
        m_alive[b] = 1;
        m_placedByTheirs[b] = m_t.moved[b] && !m_m.moved[b];
      } else if (inMine) {
        m_alive[b] = m_m.changed[b] || (theirRemovalHolds && !theirRemovalHolds(b));
      } else if (inTheirs) {
        m_alive[b] = m_t.changed[b];
        m_placedByTheirs[b] = 1;
      }
    }
    MatchSameNewElements();
    m_result.placeOfMine.assign(mine.ids.size(), kNone);
  }

  MergeResult Run() {
    // What theirs puts in: each after the last element before it in theirs that mine's order
    // places (slot i + 1 follows mine's element i; slot 0 is the front).
    std::vector<std::pair<std::size_t, std::uint32_t>> insertions;
    std::size_t slot = 0;
    for (std::size_t j = 0; j < m_theirs.ids.size(); ++j) {
      const std::int32_t b = m_t.baseOf[j];
      if (m_sameAsMine[j] != kNone) {
        slot = static_cast<std::size_t>(m_sameAsMine[j]) + 1;
      } else if (b == kNone || (m_alive[b] && m_placedByTheirs[b])) {
        insertions.emplace_back(slot, static_cast<std::uint32_t>(j));
      } else if (m_alive[b]) {
        slot = static_cast<std::size_t>(m_m.sideOf[b]) + 1;
      }
    }
    std::stable_sort(insertions.begin(), insertions.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    auto next = insertions.begin();
    for (std::size_t i = 0; i <= m_mine.ids.size(); ++i) {
      for (; next != insertions.end() && next->first == i; ++next) EmitTheirs(next->second);
      if (i == m_mine.ids.size()) break;
      const std::int32_t b = m_m.baseOf[i];
      if (b == kNone) {
        Emit(MergeSide::kMine, i, static_cast<std::int32_t>(i));
      } else if (m_alive[b] && !m_placedByTheirs[b]) {
        EmitBase(static_cast<std::size_t>(b));
      }
    }
    return std::move(m_result);
  }

 private:
  // The same new element on both sides is one. The two diffs may see it otherwise: what one
  // side added may be what the other changed an element into. Theirs' new elements (added, or
  // changed from an element mine removed) are paired with mine's equal ones (added, or changed
  // from an element theirs removed): theirs' addition is not added again, and places what
  // follows it as mine's element does; the element theirs changed is gone, and mine's new
  // element stands for it.
  void MatchSameNewElements() {
    m_sameAsMine.assign(m_theirs.ids.size(), kNone);
    std::unordered_map<std::uint32_t, std::deque<std::uint32_t>> mineNew;
    for (std::size_t i = 0; i < m_mine.ids.size(); ++i) {
      const std::int32_t b = m_m.baseOf[i];
      if (b == kNone || (m_m.changed[b] && m_t.sideOf[b] == kNone)) {
        mineNew[m_mine.ids[i]].push_back(static_cast<std::uint32_t>(i));
      }
    }
    if (mineNew.empty()) return;
    for (std::size_t j = 0; j < m_theirs.ids.size(); ++j) {
      const std::int32_t b = m_t.baseOf[j];
      if (b != kNone && !(m_t.changed[b] && m_m.sideOf[b] == kNone)) continue;
      const auto found = mineNew.find(m_theirs.ids[j]);
      if (found == mineNew.end() || found->second.empty()) continue;
      m_sameAsMine[j] = static_cast<std::int32_t>(found->second.front());
      found->second.pop_front();
      if (b != kNone) m_alive[b] = 0;
    }
  }

  void Emit(MergeSide side, std::size_t index, std::int32_t mineIndex) {
    if (mineIndex != kNone) {
      m_result.placeOfMine[static_cast<std::size_t>(mineIndex)] =
          static_cast<std::int32_t>(m_result.picks.size());
    }
    m_result.picks.push_back(MergePick{side, static_cast<std::uint32_t>(index)});
  }

  void EmitTheirs(std::uint32_t j) {
    const std::int32_t b = m_t.baseOf[j];
    if (b == kNone) {
      Emit(MergeSide::kTheirs, j, kNone);
    } else {
      EmitBase(static_cast<std::size_t>(b));
    }
  }

  // Base element b as the sides left it.
  void EmitBase(std::size_t b) {
    const std::int32_t i = m_m.sideOf[b];
    const std::int32_t j = m_t.sideOf[b];
    if (i == kNone) {
      Emit(MergeSide::kTheirs, static_cast<std::size_t>(j), kNone);
      return;
    }
    if (j == kNone || !m_t.changed[b]) {
      Emit(MergeSide::kMine, static_cast<std::size_t>(i), i);
      return;
    }
    if (!m_m.changed[b] || m_mine.ids[i] == m_theirs.ids[j]) {
      Emit(MergeSide::kTheirs, static_cast<std::size_t>(j), i);
      return;
    }
    Emit(MergeSide::kMine, static_cast<std::size_t>(i), i);
    Emit(MergeSide::kTheirs, static_cast<std::size_t>(j), kNone);
    ++m_result.conflicts;
  }

  const MergeSequence& m_mine;
  const MergeSequence& m_theirs;
  const SideMatch m_m;
  const SideMatch m_t;
  std::vector<std::uint8_t> m_alive;           // for each base element: in the merge
  std::vector<std::uint8_t> m_placedByTheirs;  // for each base element: where theirs has it
  std::vector<std::int32_t> m_sameAsMine;      // for each of theirs: mine's equal new element
  MergeResult m_result;
};

}  // namespace

MergeResult MergeSequences(const MergeSequence& base, const MergeSequence& mine,
                           const MergeSequence& theirs,
                           const std::function<bool(std::size_t)>& theirRemovalHolds) {
  return Merger(base, mine, theirs, theirRemovalHolds).Run();
}

}  // namespace storage
