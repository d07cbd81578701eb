#pragma once
// How wide the search's block scan works: byte by byte, sixteen bytes at a time (SSE2, the
// floor of every build for x86) or thirty-two (AVX2, where the processor has it and the
// operating system saves its registers). The widest is chosen once, at first use; tests
// force each narrower one to compare it with the others. Any thread.

namespace storage {

enum class ScanWidth {
  kPlain,  // byte by byte
  kSse2,   // 16 bytes at a time
  kAvx2,   // 32 bytes at a time
};

// The widest scan this build and this processor offer.
ScanWidth WidestScanWidth();

// Whether this build and this processor can scan at width.
bool CanScanAt(ScanWidth width);

// "plain", "sse2" or "avx2".
const char* ScanWidthName(ScanWidth width);

}  // namespace storage
