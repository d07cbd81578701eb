#include "chaos/chaos_merge_model.h"

#include <algorithm>

namespace chaos {

namespace {

const Item* WithId(const std::vector<Item>& items, int id) {
  for (const Item& item : items) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

}  // namespace

ExpectedMerge ExpectMerge(const std::vector<Item>& base, const std::vector<Item>& mine,
                          const std::vector<Item>& theirs) {
  ExpectedMerge expected;
  for (const Item& item : mine) {
    const Item* before = WithId(base, item.id);
    const Item* their = WithId(theirs, item.id);
    const Item* kept = &item;
    if (before != nullptr) {
      const bool mineChanged = !SameRecord(item, *before);
      const bool theirsChanged = their != nullptr && !SameRecord(*their, *before);
      if (their == nullptr) {
        // Removed outside: gone, unless the window changed it.
        kept = mineChanged ? &item : nullptr;
      } else if (theirsChanged && !mineChanged) {
        kept = their;
      } else if (theirsChanged && !SameRecord(item, *their)) {
        expected.records.push_back(*their);
        ++expected.conflicts;
      }
    }
    expected.fateOfMine.push_back(kept);
    if (kept == nullptr) continue;
    expected.records.push_back(*kept);
    if (kept == &item) expected.mineInOrder.push_back(item);
  }
  for (const Item& item : theirs) {
    const Item* before = WithId(base, item.id);
    if (before == nullptr) {
      expected.records.push_back(item);  // added outside
    } else if (WithId(mine, item.id) == nullptr && !SameRecord(item, *before)) {
      expected.records.push_back(item);  // removed in the window, changed outside
    }
  }
  return expected;
}

std::vector<std::string> ExpectNames(const std::vector<std::string>& base,
                                     const std::vector<std::string>& mine,
                                     const std::vector<std::string>& theirs,
                                     const std::function<bool(const std::string&)>& fileGone) {
  const auto holds = [](const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  };
  std::vector<std::string> expected;
  for (const std::string& name : mine) {
    if (!holds(base, name) || holds(theirs, name) || !fileGone(name)) expected.push_back(name);
  }
  for (const std::string& name : theirs) {
    if (!holds(base, name)) expected.push_back(name);
  }
  std::sort(expected.begin(), expected.end());
  return expected;
}

bool InOrderWithin(const std::vector<Item>& part, const std::vector<Item>& whole) {
  std::size_t at = 0;
  for (const Item& item : whole) {
    if (at < part.size() && SameRecord(part[at], item)) ++at;
  }
  return at == part.size();
}

std::vector<std::string> RecordLines(const std::vector<Item>& records) {
  std::vector<std::string> lines;
  for (const Item& item : records) lines.push_back(FileBytes(StoredList{"", false, {item}}));
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace chaos
