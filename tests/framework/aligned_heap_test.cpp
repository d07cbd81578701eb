// Objects that ask for 16-byte alignment, as the search's SSE2 probes do, must get it from the
// heap as well: an aligned SSE2 load from a misaligned address faults. The 32-bit Windows heap
// aligns to 8 bytes only, while the compiler takes operator new to align to 16 unless told
// otherwise.

#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct alignas(16) Probe {
  char bytes[16];
};

bool Aligned(const void* at) {
  return reinterpret_cast<std::uintptr_t>(at) % alignof(Probe) == 0;
}

TEST(AlignedHeap, ObjectsAlignedForSse2AreAlignedInVectorsAndFromNewWhereverTheHeapIs) {
  std::vector<std::unique_ptr<char[]>> fillers;  // move the heap's next free place around
  int misaligned = 0;
  for (int i = 1; i <= 200; ++i) {
    fillers.emplace_back(new char[static_cast<std::size_t>(i % 7) * 4 + 1]);
    std::vector<Probe> probes(static_cast<std::size_t>(i % 5) + 1);
    const std::unique_ptr<Probe> single(new Probe);
    const std::unique_ptr<Probe[]> several(new Probe[3]);
    misaligned += !Aligned(probes.data()) + !Aligned(single.get()) + !Aligned(several.get());
  }
  EXPECT_EQ(0, misaligned);
}

}  // namespace
