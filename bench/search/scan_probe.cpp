// Prints the width of the search's block scan that this build chooses on this processor
// ("avx2", "sse2" or "plain"): the same choice the tool's search makes, natively and inside
// ToDoList.dll under Wine. For scripts/bench.sh.

#include <cstdio>

#include "storage/search/scan_width.h"

int main() {
  std::printf("%s\n", storage::ScanWidthName(storage::WidestScanWidth()));
  return 0;
}
