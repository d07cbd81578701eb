#pragma once
// What the load-and-save benchmarks share: the floor they compare with, the clock they time
// their steps with, and how they print their figures for scripts/bench.sh.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

// The list the load-and-save benchmarks click away to between rounds: a name that names no
// file (a colon), so that leaving it saves nothing and selecting it loads nothing, and the
// load measured is the long list's alone.
inline constexpr char kNoFileListName[] = "away:no file";

// The floor: every line of the file read with std::getline; returns how many there were.
inline long ReadLinesWithGetline(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  long lines = 0;
  while (std::getline(in, line)) ++lines;
  return lines;
}

inline double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// Prints "name best median worst" (milliseconds) for the rounds' times.
inline void PrintTimes(const char* name, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%s %.3f %.3f %.3f\n", name, times.front(), times[times.size() / 2], times.back());
  std::fflush(stdout);
}

}  // namespace bench
