#pragma once
// The fast part of the search: finds the lines of a block of whole lines that hold any of a
// few words, so that only those lines get the full test. Part of the search (search.h). One
// thread at a time.
//
// With vectors it works in two passes. The first goes over the whole block in windows of 64
// bytes and keeps, for each window, a bit mask of its line feeds and one of the places where
// a word may start (its first and last byte are there), and notes whether the block holds a
// zero byte or a tab anywhere (judged as any byte below 0x0A); it compares 16 bytes at a time
// with SSE2, or 32 with AVX2 (scan_width.h). The second takes the candidate places in order,
// checks the word, and finds the line around it from the masks of its window and the two
// beside it, with no loop over the line's bytes. Matches in dense text then cost few
// mispredicted branches. Without vectors the block is searched byte by byte. Every width
// gives the same lines.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "storage/search/scan_width.h"
#include "storage/search/search_layout.h"

namespace storage {

class WordScanner {
 public:
  // How many bytes after a block's end the scanner may read (never using what it reads
  // there): they must belong to the same allocation and have been written.
  static constexpr std::size_t kReadsPastEnd = 128;

  // Repeated words are looked for once, and the empty word not at all: a search with it
  // tests every line instead. width must be one the machine can scan at (CanScanAt).
  explicit WordScanner(const std::vector<std::string>& words, ScanWidth width = WidestScanWidth());

  // A line that may hold a word.
  struct Line {
    const char* begin = nullptr;
    LineEnd end;
    const char* word = nullptr;  // the first place in the line where a word starts
    std::size_t wordLength = 0;  // that word's length (the first word given, when two start there)
  };

  // Starts on a block of whole lines, [begin, end), followed by kReadsPastEnd readable bytes.
  void Reset(const char* begin, const char* end);

  // The next line of the block after the last one given that holds a word, in the order of
  // the block. Every such line is given once. A word given may reach past the line's end (it
  // then holds a line feed, and the line does not hold it); the line test sorts that out.
  // False when there is none.
  bool NextLine(Line* line);

 private:
  static constexpr std::size_t kWidth = 16;   // bytes of a word's head, compared at once
  static constexpr std::size_t kWide = 32;    // bytes compared at once by the wider scan
  static constexpr std::size_t kWindow = 64;  // bytes of one bit mask
  // The last window starts within the block, and the wider scan reads its last 32 bytes also
  // from up to kWidth - 1 bytes further, where a word's last byte compared lies.
  static_assert(kWindow + kWidth - 1 <= kReadsPastEnd, "reads past the block");

  // What the block compares know of a word: its first byte and the byte at lastAt (its last,
  // or its sixteenth for a longer word), each kWidth times over, and its first kWidth bytes
  // (fewer when it is shorter).
  struct Probe {
    alignas(kWidth) char first[kWidth];
    alignas(kWidth) char last[kWidth];
    alignas(kWidth) char head[kWidth];
    unsigned headBits = 0;   // one bit for each byte of head that belongs to the word
    std::size_t lastAt = 0;  // where last is in the word
  };

  // The places in one window where a word may start.
  struct Candidates {
    std::uint64_t places;
    std::size_t window;
  };

  // NextLine byte by byte, from m_next on; with no reads past the block's end.
  bool NextLinePlainly(Line* line);
  // The first pass over the block, with the number of words known when it is not 0: 16
  // bytes at a time, or 32.
  template <std::size_t kWords>
  void MaskBlock();
  template <std::size_t kWords>
  void MaskBlockWide();
  // Makes room for the masks of windows windows.
  void StartMasks(std::size_t windows);
  // Keeps the masks of one window, of which only the bytes within the block count; notes in
  // *odd a byte below 0x0A among them when the window reaches past the block. Returns whether
  // it lies wholly within the block.
  bool KeepWindow(std::size_t window, std::uint64_t feeds, std::uint64_t places, bool* odd);
  // Marks the line ends before and at the block's ends; plain: no byte below 0x0A in it.
  void FinishMasks(std::size_t windows, bool plain);
  // Whether the first kWidth bytes of probe's word (fewer when it is shorter) are at place.
  static bool HeadIsAt(const char* place, const Probe& probe);
  // The first word that occurs at place, or -1. Reads kWidth bytes from place.
  int WordAt(const char* place) const;
  // WordAt for more than 32 words or words longer than kWidth.
  [[gnu::cold]] int LongWordAt(const char* place) const;
  std::size_t Length() const { return static_cast<std::size_t>(m_end - m_begin); }
  // The line around the word at offset from the block's start, from the masks.
  void FindLineAround(std::size_t offset, Line* line) const;
  // Corrects what FindLineAround found for a line longer than a window, or in a block that
  // is not plain, by going over its bytes.
  [[gnu::cold]] void FindLongLineAround(std::size_t offset, Line* line) const;

  ScanWidth m_width;
  std::vector<std::string> m_words;
  std::vector<Probe> m_probes;
  std::size_t m_longest = 0;

  const char* m_begin = nullptr;  // the block
  const char* m_end = nullptr;
  const char* m_next = nullptr;  // where the plain search goes on; what is before it is done
  // The line feeds of each window, at index window + 1; index 0 stands for the line end just
  // before the block, and the block's end counts as a line feed.
  std::vector<std::uint64_t> m_feeds;
  std::vector<Candidates> m_candidates;  // windows with candidates, in order; m_count of them
  std::size_t m_count = 0;
  std::size_t m_taken = 0;     // windows of m_candidates taken so far
  std::uint64_t m_places = 0;  // candidates of the window being looked at, not yet taken
  std::size_t m_window = 0;    // that window
  bool m_plain = false;        // the block holds no byte below 0x0A: no zero byte, no tab
};

}  // namespace storage
