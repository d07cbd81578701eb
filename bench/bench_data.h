#pragma once
// The data the benchmarks run on, made the same way every time (a fixed random seed), as code
// page 932 bytes with CR LF line ends, the way the tool stores its lists. Portable: the native
// programs and the Windows ones make identical files.

#include <cstdio>
#include <random>
#include <string>

namespace bench {

// The search data: 2,000 list files of 500 records, a third of the records holding one of the
// two present words; about 42.8 MB.
constexpr int kSearchFiles = 2000;
constexpr int kSearchRecords = 500;
constexpr char kPresentWords[] = "会議 Report";      // 340,018 records hold one of them
constexpr char kAbsentWords[] = "該当なし Nothing";  // no record holds either

// The word texts and the ordinary phrases a record is made of.
inline const char* const kWordList[] = {"会議", "Report"};
inline const char* const kPhrases[] = {
    "買い物",     "牛乳を買う", "電話する",   "メール返信", "掃除",   "洗濯",       "銀行",
    "病院の予約", "支払い",     "書類の提出", "打ち合わせ", "家賃",   "ゴミ出し",   "散歩",
    "読書",       "ソフト更新", "アプリ修正", "見積もり",   "請求書", "予定の確認", "ﾒﾓ",
    "todo",       "check",      "mail",       "ver2",       "(重要)", "明日まで",   "今週中",
};

// Makes list records one after the other from one random sequence.
class RecordMaker {
 public:
  RecordMaker() : m_random(20261207) {}

  // Appends one record line with its CR LF: done mark, year, month, day, then 3 to 5 phrases,
  // one of which is one of the two words for a third of the records.
  void Append(std::string* bytes) {
    // One draw per statement, so every compiler makes the same fields.
    const unsigned done = m_random() % 2;
    const unsigned year = 2025 + m_random() % 3;
    const unsigned month = 1 + m_random() % 12;
    const unsigned day = 1 + m_random() % 28;
    *bytes += std::to_string(done) + ',' + std::to_string(year) + ',' + std::to_string(month) +
              ',' + std::to_string(day) + ',';
    const int phrases = 3 + static_cast<int>(m_random() % 3);
    const int wordAt = m_random() % 3 == 0 ? static_cast<int>(m_random() % phrases) : -1;
    for (int i = 0; i < phrases; ++i) {
      if (i > 0) *bytes += ' ';
      if (i == wordAt) {
        *bytes += kWordList[m_random() % 2];
        continue;
      }
      *bytes += kPhrases[m_random() % (sizeof(kPhrases) / sizeof(kPhrases[0]))];
    }
    *bytes += "\r\n";
  }

 private:
  std::mt19937 m_random;
};

// The bytes of search list file number `file` (0 to kSearchFiles - 1) when the files are made
// in order with one maker: every tenth file is a no-date list.
inline std::string SearchListFile(RecordMaker& maker, int file) {
  std::string bytes;
  if (file % 10 == 0) bytes += "NO_DATE\r\n";
  for (int record = 0; record < kSearchRecords; ++record) maker.Append(&bytes);
  return bytes;
}

inline std::string SearchListFileName(int file) {
  char name[32];
  std::snprintf(name, sizeof(name), "list%04d.lst", file);
  return name;
}

// A list file of `count` records.
inline std::string ItemListFile(int count) {
  RecordMaker maker;
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(count) * 48);
  for (int i = 0; i < count; ++i) maker.Append(&bytes);
  return bytes;
}

// A list-order file naming `count` lists, "list00001" on.
inline std::string ListOrderFile(int count) {
  std::string bytes;
  char name[32];
  for (int i = 1; i <= count; ++i) {
    std::snprintf(name, sizeof(name), "list%05d\r\n", i);
    bytes += name;
  }
  return bytes;
}

}  // namespace bench
