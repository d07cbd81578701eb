#include "storage/search/scan_width.h"

#if defined(__SSE2__) && (defined(__i386__) || defined(__x86_64__))
#include <cpuid.h>
#define TODO_SCAN_X86 1
#endif

namespace storage {

namespace {

#if defined(TODO_SCAN_X86)
// AVX2 needs the processor's word for it and the operating system's: OSXSAVE says that it
// keeps the extended registers' state, and XCR0 bits 1 and 2 that it saves both the 16-byte
// and the 32-byte halves of the vector registers when it switches threads.
bool ProcessorRunsAvx2() {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
  if ((ecx & bit_OSXSAVE) == 0 || (ecx & bit_AVX) == 0) return false;
  unsigned low = 0, high = 0;
  __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
  if ((low & 0x6) != 0x6) return false;
  if (__get_cpuid_max(0, nullptr) < 7) return false;
  __cpuid_count(7, 0, eax, ebx, ecx, edx);
  return (ebx & bit_AVX2) != 0;
}
#endif

ScanWidth ChooseWidest() {
#if defined(TODO_SCAN_X86)
  return ProcessorRunsAvx2() ? ScanWidth::kAvx2 : ScanWidth::kSse2;
#elif defined(__SSE2__)
  return ScanWidth::kSse2;
#else
  return ScanWidth::kPlain;
#endif
}

}  // namespace

ScanWidth WidestScanWidth() {
  static const ScanWidth widest = ChooseWidest();
  return widest;
}

bool CanScanAt(ScanWidth width) {
  return static_cast<int>(width) <= static_cast<int>(WidestScanWidth());
}

const char* ScanWidthName(ScanWidth width) {
  switch (width) {
    case ScanWidth::kAvx2:
      return "avx2";
    case ScanWidth::kSse2:
      return "sse2";
    case ScanWidth::kPlain:
      break;
  }
  return "plain";
}

}  // namespace storage
