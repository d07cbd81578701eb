#include "storage/list_merge.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "storage/list_names.h"
#include "storage/record_fields.h"
#include "storage/sequence_merge.h"

namespace storage {

namespace {

struct RecordView {
  RecordFields fields;
  std::string_view text;
};

bool operator==(const RecordView& a, const RecordView& b) {
  return a.fields == b.fields && a.text == b.text;
}

struct RecordViewHash {
  std::size_t operator()(const RecordView& record) const {
    return HashOfRecord(record.fields, record.text);
  }
};

// Gives equal records one number, and equal texts one key, over all three copies.
class RecordNumbers {
 public:
  void Add(const RecordFields& fields, std::string_view text, MergeSequence* sequence) {
    const RecordView record{fields, text};
    sequence->ids.push_back(
        m_records.emplace(record, static_cast<std::uint32_t>(m_records.size())).first->second);
    sequence->keys.push_back(
        m_texts.emplace(text, static_cast<std::uint32_t>(m_texts.size())).first->second);
  }

 private:
  std::unordered_map<RecordView, std::uint32_t, RecordViewHash> m_records;
  std::unordered_map<std::string_view, std::uint32_t> m_texts;
};

MergeSequence Numbered(const ListFileAsRead& file, RecordNumbers* numbers) {
  MergeSequence sequence;
  sequence.ids.reserve(file.Count());
  sequence.keys.reserve(file.Count());
  for (std::size_t index = 0; index < file.Count(); ++index) {
    numbers->Add(file.Fields(index), file.Text(index), &sequence);
  }
  return sequence;
}

}  // namespace

ListMerge MergeListFiles(const ListFileAsRead& base, const std::vector<ListRecord>& mine,
                         const ListFileAsRead& theirs) {
  RecordNumbers numbers;
  const MergeSequence baseSequence = Numbered(base, &numbers);
  MergeSequence mineSequence;
  for (const ListRecord& record : mine) numbers.Add(record, record.text, &mineSequence);
  const MergeSequence theirSequence = Numbered(theirs, &numbers);
  MergeResult merged = MergeSequences(baseSequence, mineSequence, theirSequence);

  ListMerge result;
  result.content.noDate = theirs.NoDate();
  result.content.records.reserve(merged.picks.size());
  for (const MergePick& pick : merged.picks) {
    if (pick.side == MergeSide::kMine) {
      result.content.records.push_back(mine[pick.index]);
    } else {
      ListRecord record;
      static_cast<RecordFields&>(record) = theirs.Fields(pick.index);
      record.text.assign(theirs.Text(pick.index));
      result.content.records.push_back(std::move(record));
    }
  }
  result.rowOfMine = std::move(merged.placeOfMine);
  result.conflicts = merged.conflicts;
  return result;
}

std::vector<std::string> MergeListNames(const std::vector<std::string>& base,
                                        const std::vector<std::string>& mine,
                                        const std::vector<std::string>& theirs,
                                        const std::function<bool(const std::string&)>& fileGone) {
  std::unordered_map<std::string_view, std::uint32_t> numbers;
  const auto numbered = [&numbers](const std::vector<std::string>& names) {
    MergeSequence sequence;
    for (const std::string& name : names) {
      sequence.ids.push_back(
          numbers.emplace(name, static_cast<std::uint32_t>(numbers.size())).first->second);
    }
    return sequence;
  };
  const MergeSequence baseSequence = numbered(base);
  const MergeSequence mineSequence = numbered(mine);
  const MergeSequence theirSequence = numbered(theirs);
  const MergeResult merged =
      MergeSequences(baseSequence, mineSequence, theirSequence,
                     [&](std::size_t index) { return fileGone(base[index]); });

  std::vector<std::string> names;
  names.reserve(merged.picks.size());
  std::unordered_set<std::string> seen;
  for (const MergePick& pick : merged.picks) {
    const std::string& name = pick.side == MergeSide::kMine ? mine[pick.index] : theirs[pick.index];
    if (seen.insert(NameWithoutCase(name)).second) names.push_back(name);
  }
  return names;
}

}  // namespace storage
