// The search against a plain reading of its rule, on random lists: each line read whole, the
// first four separators made tabs one FindSeparator after another, each word looked for at
// every character start, the fields taken off at the tabs. The search skips lines, finds line
// ends, separators and words from bit masks and builds results by pieces; whatever the bytes
// (lead bytes, backslashes, tabs, zero bytes, CRs, long lines) and wherever a read ends, it
// must give exactly these results in exactly this order.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "search/search_fixture.h"
#include "storage/find_separator.h"

namespace {

using Lists = std::vector<std::pair<std::string, std::string>>;  // list name, file bytes

// The lines of a file: a line feed ends a line, and a CR before it is no part of the line;
// bytes after the last line feed make one more line.
Lines LinesOf(const std::string& bytes) {
  Lines lines;
  for (std::size_t start = 0; start < bytes.size();) {
    const std::size_t feed = bytes.find('\n', start);
    if (feed == std::string::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    std::string line = bytes.substr(start, feed - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = feed + 1;
  }
  return lines;
}

bool OccursAtACharacterStart(const std::string& line, const std::string& word) {
  for (std::size_t at = 0; at <= line.size();
       at += storage::IsLeadByteByValue(static_cast<unsigned char>(line[at])) ? 2 : 1) {
    if (line.compare(at, word.size(), word) == 0) return true;
  }
  return false;
}

Lines PlainSearch(const Lists& lists, std::string_view text) {
  const std::vector<std::string> words = storage::CutSearchWords(text);
  Lines results;
  for (const auto& list : lists) {
    const Lines lines = LinesOf(list.second);
    for (std::size_t n = 0; n < lines.size(); ++n) {
      std::string line = lines[n].substr(0, lines[n].find('\0'));  // text ends at a zero byte
      if (line.empty() || (n == 0 && line == "NO_DATE")) continue;
      const int length = static_cast<int>(line.size());
      for (int from = 0, separators = 0; separators < 4; ++separators) {
        const int found = storage::FindSeparator(line.data() + from, length - from, ',');
        if (found < 0) break;
        line[static_cast<std::size_t>(from + found)] = '\t';
        from += found + 1;
      }
      const bool matches = std::any_of(words.begin(), words.end(), [&](const std::string& word) {
        return OccursAtACharacterStart(line, word);
      });
      if (!matches) continue;
      std::string rest = line;
      std::string fields[4];
      for (std::string& field : fields) {
        const std::size_t tab = rest.find('\t');
        if (tab == std::string::npos) continue;
        field = rest.substr(0, tab);
        rest.erase(0, tab + 1);
      }
      results.push_back("[" + list.first + "] " + (fields[0] == "0" ? "(未)" : "(済)") + " 期限：" +
                        fields[1] + "/" + fields[2] + "/" + fields[3] + " " + rest);
    }
  }
  return results;
}

Lines FastSearch(const Lists& lists, std::string_view text, std::size_t piece) {
  FolderFiles files;
  std::vector<std::string> entries;
  for (const auto& list : lists) {
    entries.push_back(list.first + ".lst");
    files.emplace_back(entries.back(), list.second);
  }
  MemoryFiles memory(files, piece);
  RecordingSink sink;
  return SearchEntries(memory, "/", entries, text, sink);
}

// Random lists and search texts, made of the bytes that the rule treats apart.
class RandomLists {
 public:
  explicit RandomLists(unsigned seed) : m_random(seed) {}

  Lists MakeLists() {
    Lists lists;
    const int count = 1 + Below(3);
    for (int n = 0; n < count; ++n) lists.emplace_back("L" + std::to_string(n), MakeFile());
    return lists;
  }

  // Words mostly taken from the lists, so that most of them occur. A word with a comma or a
  // tab has every line tested; most texts do without, so that lines are skipped.
  std::string MakeText(const Lists& lists) {
    const int words = Below(10) == 0 ? 40 : 1 + Below(3);  // over 32 words now and then
    const bool separatorsToo = Below(4) == 0;
    std::string text;
    for (int n = 0; n < words; ++n) {
      if (n > 0) text += Below(10) == 0 ? "  " : " ";
      std::string word;
      for (int tries = 0; tries < 20; ++tries) {
        word = MakeWord(lists);
        if (separatorsToo || word.find_first_of(",\t") == std::string::npos) break;
      }
      text += word;
    }
    if (Below(15) == 0) text += ' ';  // the empty word
    return text;
  }

 private:
  int Below(int bound) { return static_cast<int>(m_random() % static_cast<unsigned>(bound)); }

  // One character, or a byte that the rule treats apart: ア (0x83 0x41, its second byte a
  // letter), ソ (0x83 0x5C, its second byte a backslash), 会 and 議, a half-width katakana,
  // lone lead-range bytes, and now and then a zero byte.
  std::string Piece() {
    static const char* const kPieces[] = {
        "a",    "b",        "x",    "R",  "0",  "1",        "2",        " ",        ",",
        ",",    ",",        "\\",   "\t", "\r", "\x83\x41", "\x83\x5C", "\x89\xEF", "\x8B\x63",
        "\xB1", "\xE0\x40", "\x81", "A",  "c",  "\xA0",     "\xFF",     "NO_DATE",
    };
    if (Below(200) == 0) return std::string(1, '\0');
    return kPieces[Below(sizeof(kPieces) / sizeof(kPieces[0]))];
  }

  std::string MakeWord(const Lists& lists) {
    const std::string& bytes =
        lists[static_cast<std::size_t>(Below(static_cast<int>(lists.size())))].second;
    const std::size_t length = 1 + static_cast<std::size_t>(Below(Below(4) == 0 ? 40 : 8));
    if (bytes.size() < length || Below(8) == 0) return Piece();
    return bytes.substr(
        static_cast<std::size_t>(Below(static_cast<int>(bytes.size() - length + 1))), length);
  }

  std::string Text(int pieces) {
    std::string text;
    for (int n = 0; n < pieces; ++n) text += Piece();
    return text;
  }

  std::string MakeLine() {
    switch (Below(9)) {
      case 0:
        return Text(Below(40));  // anything, blank lines too
      case 1:
        // Date fields with bytes that FindSeparator treats apart.
        return Text(Below(3)) + "," + Text(Below(5)) + "," + Text(Below(3)) + "," + Text(Below(3)) +
               "," + Text(Below(20));
      case 2:
        return "NO_DATE";
      default: {
        // A record, now and then with a text longer than one or two 64-byte windows.
        const int textPieces = Below(6) == 0 ? 40 + Below(120) : Below(30);
        return std::to_string(Below(3)) + "," + std::to_string(2020 + Below(10)) + "," +
               std::to_string(1 + Below(12)) + "," + std::to_string(1 + Below(31)) + "," +
               Text(textPieces);
      }
    }
  }

  std::string MakeFile() {
    std::string bytes;
    const int lines = Below(40);
    for (int n = 0; n < lines; ++n) {
      bytes += MakeLine();
      if (n + 1 < lines || Below(2) == 0) bytes += Below(4) == 0 ? "\n" : "\r\n";
    }
    return bytes;
  }

  std::mt19937 m_random;
};

TEST(SearchAgainstThePlainRule, RandomListsGiveTheSameResultsWhereverAReadEnds) {
  for (unsigned seed = 1; seed <= 400; ++seed) {
    RandomLists random(seed);
    const Lists lists = random.MakeLists();
    const std::string text = random.MakeText(lists);
    const Lines expected = PlainSearch(lists, text);
    for (const std::size_t piece : {std::size_t{1} << 20, std::size_t{1} + seed % 97}) {
      ASSERT_EQ(FastSearch(lists, text, piece), expected)
          << "seed " << seed << ", reads of " << piece << " bytes";
    }
  }
}

}  // namespace
