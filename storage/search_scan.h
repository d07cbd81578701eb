#pragma once
// The fast part of the search: finds where any of a few words occurs in a large block of
// bytes, so that only the lines holding a word get the full test. Part of the search
// (search.h). One thread at a time; keeps no state between calls but the block's end.

#include <cstddef>
#include <string>
#include <vector>

namespace storage {

class WordScanner {
 public:
  // Repeated words are looked for once, and the empty word not at all: a search with it
  // tests every line instead.
  explicit WordScanner(const std::vector<std::string>& words);

  // Starts on a block that ends at end.
  void Reset(const char* end) { end_ = end; }

  struct Hit {
    const char* at = nullptr;  // null when no word occurs
    std::size_t length = 0;    // the length of the word found there
  };

  // The first place at or after from (within the block) where a word starts.
  Hit Next(const char* from) const;

 private:
  // The first place in [from, end_) where a word starts, byte by byte.
  Hit NextPlainly(const char* from) const;

  std::vector<std::string> words_;
  // Each word's first and last byte, sixteen times over, for the block compare.
  struct Ends {
    alignas(16) char first[16];
    alignas(16) char last[16];
  };
  std::vector<Ends> ends_;
  std::size_t longest_ = 0;
  const char* end_ = nullptr;
};

}  // namespace storage
