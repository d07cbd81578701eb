// Speed of the full-text search against grep, in one run over the same files: 2,000 list
// files of 500 records each (code page 932, CR LF), a third of the lines holding one of two
// words. Times the native search (single-threaded, the folder listed by the file-search
// library) and `LC_ALL=C grep -F -c -e W1 -e W2 -r`, for two words that occur and for two
// that occur nowhere, and prints each ratio search/grep. The search's count of results is
// checked against a slow and plain reference first (not against grep, which also matches a
// Latin letter that is the second byte of a double-byte character).

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "dirscan/dirscan.h"
#include "storage/files.h"
#include "storage/search.h"

extern char** environ;

namespace {

constexpr int kFiles = 2000;
constexpr int kRecords = 500;
constexpr int kRuns = 7;

// The two words that a third of the lines hold, and two that no line holds.
const char* const kWords[] = {"会議", "Report"};
const char* const kAbsentWords[] = {"該当なし", "Nothing"};

const char* const kPhrases[] = {
    "買い物",     "牛乳を買う", "電話する",   "メール返信", "掃除",   "洗濯",       "銀行",
    "病院の予約", "支払い",     "書類の提出", "打ち合わせ", "家賃",   "ゴミ出し",   "散歩",
    "読書",       "ソフト更新", "アプリ修正", "見積もり",   "請求書", "予定の確認", "ﾒﾓ",
    "todo",       "check",      "mail",       "ver2",       "(重要)", "明日まで",   "今週中",
};

class CountingSink : public storage::SearchSink {
 public:
  bool StopRequested() override { return false; }
  void Result(const char*, std::size_t length) override {
    ++count;
    bytes += length;
  }
  long count = 0;
  long bytes = 0;
};

std::string MakeFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "todo-search-bench-XXXXXX");
  if (!mkdtemp(&pattern[0])) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  return pattern;
}

long long GenerateFiles(const std::string& folder) {
  std::mt19937 random(20261207);
  long long total = 0;
  std::string bytes;
  for (int file = 0; file < kFiles; ++file) {
    bytes.clear();
    if (file % 10 == 0) bytes += "NO_DATE\r\n";
    for (int record = 0; record < kRecords; ++record) {
      bytes += std::to_string(random() % 2) + ',' + std::to_string(2025 + random() % 3) + ',' +
               std::to_string(1 + random() % 12) + ',' + std::to_string(1 + random() % 28) + ',';
      const int phrases = 3 + static_cast<int>(random() % 3);
      const int wordAt = random() % 3 == 0 ? static_cast<int>(random() % phrases) : -1;
      for (int i = 0; i < phrases; ++i) {
        if (i > 0) bytes += ' ';
        if (i == wordAt) {
          bytes += kWords[random() % 2];
          continue;
        }
        bytes += kPhrases[random() % (sizeof(kPhrases) / sizeof(kPhrases[0]))];
      }
      bytes += "\r\n";
    }
    char name[32];
    std::snprintf(name, sizeof(name), "/list%04d.lst", file);
    std::ofstream(folder + name, std::ios::binary) << bytes;
    total += static_cast<long long>(bytes.size());
  }
  return total;
}

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0xA0) || byte >= 0xE0;
}

// The plain reading of the matching rule, line by line and place by place. Good for words
// without commas and tabs, which the separators made tabs do not touch.
long ReferenceCount(const std::string& folder, const std::vector<std::string>& words) {
  long count = 0;
  CSerchFiles list((folder + "/").c_str(), 0);
  const CStringArray& names = *list.gFc_GetListFiles();
  for (int n = 0; n < names.GetSize(); ++n) {
    std::ifstream in(folder + "/" + names[n].GetString(), std::ios::binary);
    std::string line;
    bool first = true;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const bool marker = first && line == "NO_DATE";
      first = false;
      if (line.empty() || marker) continue;
      bool found = false;
      for (std::size_t at = 0; at < line.size() && !found;
           at += IsLeadByte(static_cast<unsigned char>(line[at])) ? 2 : 1) {
        for (const std::string& word : words) {
          if (line.compare(at, word.size(), word) == 0) found = true;
        }
      }
      if (found) ++count;
    }
  }
  return count;
}

double Seconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

// The search as the tool does it: the folder's entries from the file-search library.
long RunSearch(storage::Files& files, const std::string& folder, const std::string& text) {
  CountingSink sink;
  const std::string path = folder + "/";
  CSerchFiles list(path.c_str(), 0);
  const CStringArray& names = *list.gFc_GetListFiles();
  std::vector<std::string_view> entries;
  entries.reserve(static_cast<std::size_t>(names.GetSize()));
  for (int i = 0; i < names.GetSize(); ++i) entries.emplace_back(names[i].GetString());
  storage::SearchListFiles(files, path, entries, text, sink);
  return sink.count;
}

void RunGrep(const std::string& folder, const char* word1, const char* word2) {
  std::vector<std::string> args = {"grep", "-F", "-c", "-e", word1, "-e", word2, "-r", folder};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  std::vector<std::string> env = {"LC_ALL=C", "PATH=/usr/bin:/bin"};
  std::vector<char*> envp;
  for (std::string& entry : env) envp.push_back(&entry[0]);
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  if (posix_spawnp(&pid, "grep", &actions, nullptr, argv.data(), envp.data()) != 0) {
    std::perror("grep");
    std::exit(1);
  }
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  waitpid(pid, &status, 0);
}

template <typename Run>
std::pair<double, double> BestAndMedian(Run run) {
  std::vector<double> times;
  run();  // warm up
  for (int i = 0; i < kRuns; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    times.push_back(Seconds(std::chrono::steady_clock::now() - start));
  }
  std::sort(times.begin(), times.end());
  return {times.front(), times[times.size() / 2]};
}

// Times one pair of words; returns false when the search's count is wrong.
bool Compare(storage::Files& files, const std::string& folder, const char* word1, const char* word2,
             const char* label, double* ratio) {
  const std::string text = std::string(word1) + " " + word2;
  const long expected = ReferenceCount(folder, {word1, word2});
  const long found = RunSearch(files, folder, text);
  std::printf("%-14s results: %ld (reference %ld)\n", label, found, expected);
  if (found != expected) {
    std::printf("FAILED: the search's count differs from the reference\n");
    return false;
  }
  const auto search = BestAndMedian([&] { RunSearch(files, folder, text); });
  const auto grep = BestAndMedian([&] { RunGrep(folder, word1, word2); });
  *ratio = search.first / grep.first;
  std::printf("%-14s search %.1f ms (median %.1f), grep %.1f ms (median %.1f), ratio %.2f\n", label,
              search.first * 1e3, search.second * 1e3, grep.first * 1e3, grep.second * 1e3, *ratio);
  return true;
}

}  // namespace

// With --profile, only searches, many times over (for a profiler); otherwise compares.
int main(int argc, char** argv) {
  const std::string folder = MakeFolder();
  const long long size = GenerateFiles(folder);
  std::printf("%d files of %d records, %.1f MB, in %s\n", kFiles, kRecords, size / 1e6,
              folder.c_str());
  std::unique_ptr<storage::Files> files = storage::NewPlatformFiles();
  if (argc > 1 && std::strcmp(argv[1], "--profile") == 0) {
    const std::string text = std::string(kWords[0]) + " " + kWords[1];
    for (int i = 0; i < 10 * kRuns; ++i) RunSearch(*files, folder, text);
    std::filesystem::remove_all(folder);
    return 0;
  }
  double found = 0;
  double absent = 0;
  const bool ok = Compare(*files, folder, kWords[0], kWords[1], "two words", &found) &&
                  Compare(*files, folder, kAbsentWords[0], kAbsentWords[1], "no match", &absent);
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  if (!ok) return 1;
  std::printf("ratio search/grep: two words %.2f, no match %.2f (goal: at most 1.5)\n", found,
              absent);
  return 0;
}
