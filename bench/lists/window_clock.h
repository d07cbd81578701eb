#pragma once
// The clock of the benchmarks that drive the tool window under Wine: milliseconds from the
// performance counter, the same on every thread of the process.

#include <windows.h>

namespace bench {

inline double Now() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace bench
