#pragma once
// The texts of a box's rows, kept end to end in one block instead of one allocation each: a
// list of 100,000 items is then filled with a handful of allocations. Each text is stored
// with a terminating zero, so that it can be handed out as a C string. A text that is
// replaced or removed leaves its bytes behind until the pool is compacted.

#include <cstdint>
#include <string>
#include <string_view>

namespace quarn {

// Where one text lies in a pool.
struct TextRef {
  std::uint32_t at = 0;
  std::uint32_t size = 0;
};

class TextPool {
 public:
  TextPool();

  // Stores a copy of text, which may lie in this pool, and returns where it is.
  TextRef Store(std::string_view text);
  // The bytes of a stored text are no longer needed.
  void Release(TextRef ref) {
    if (ref.size > 0) m_unused += ref.size + 1;
  }
  // Forgets every text.
  void Clear();
  // Makes room for that many more bytes of text in all, zeros included.
  void Reserve(std::size_t bytes) { m_bytes.reserve(m_bytes.size() + bytes); }

  std::string_view View(TextRef ref) const { return {m_bytes.data() + ref.at, ref.size}; }
  const char* CString(TextRef ref) const { return m_bytes.data() + ref.at; }

  // Whether released bytes are worth giving back: more of them than of texts in use.
  bool WantsCompacting() const;
  // Compacting is done by the owner of the refs: it stores every text in use into a new
  // pool and moves that over this one.
  std::size_t Size() const { return m_bytes.size(); }

 private:
  std::string m_bytes;       // begins with the zero that every empty text shares
  std::size_t m_unused = 0;  // bytes of texts released
};

}  // namespace quarn
