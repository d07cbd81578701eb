#pragma once
// The texts of a box's rows, kept end to end in one block instead of one allocation each: a
// list of 100,000 items is then filled with a handful of allocations. Each text is stored
// with a terminating zero, so that it can be handed out as a C string. A text that is
// replaced or removed leaves its bytes behind until the pool is compacted. Texts are copied
// sixteen bytes at a time where the processor allows, not through the C library, which under
// Wine copies a byte or a word at a time.

#include <cstddef>
#include <cstdint>
#include <memory>
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
  // Stores a copy of block, which may lie in this pool, in one piece with a zero after it, and
  // sets *at to where the copy begins: a text that lies in block at offset o is then at
  // *at + o, and is ended with EndText. False, with nothing stored, when block holds a zero
  // byte, which would end a text before its size. Every byte of the copy counts as released
  // until EndText takes its text's bytes into use.
  bool StoreBlock(std::string_view block, std::uint32_t* at);
  // Puts the zero after a text of a block stored whole, over the byte that followed it there,
  // and takes its bytes into use. That byte must belong to no other text.
  void EndText(TextRef ref) {
    m_bytes[ref.at + ref.size] = '\0';
    m_unused -= ref.size + 1;
  }
  // The bytes of a stored text are no longer needed.
  void Release(TextRef ref) {
    if (ref.size > 0) m_unused += ref.size + 1;
  }
  // Forgets every text, and gives its block back.
  void Clear();
  // Forgets every text, keeping the block for the texts to come.
  void Empty();
  // Makes room for that many more bytes of text in all, zeros included.
  void Reserve(std::size_t bytes);

  std::string_view View(TextRef ref) const { return {m_bytes.get() + ref.at, ref.size}; }
  const char* CString(TextRef ref) const { return m_bytes.get() + ref.at; }

  // Whether released bytes are worth giving back: more of them than of texts in use.
  bool WantsCompacting() const;
  // Compacting is done by the owner of the refs: it stores every text in use into a new
  // pool and moves that over this one.
  std::size_t Size() const { return m_size; }

 private:
  // Moves the texts into a block of capacity bytes; returns the old block, which a text
  // being stored may still lie in.
  std::unique_ptr<char[]> MoveTo(std::size_t capacity);

  std::unique_ptr<char[]> m_bytes;  // begins with the zero that every empty text shares
  std::size_t m_size = 0;           // bytes used
  std::size_t m_capacity = 0;       // bytes of m_bytes
  std::size_t m_unused = 0;         // bytes of texts released
};

}  // namespace quarn
