#pragma once
// Writing to the console streams. The program's texts are code page 932 bytes; what a
// terminal or a script reads is UTF-8.

#include <cstddef>
#include <string>

// The code page 932 text in UTF-8; invalid bytes become the system's replacement character.
std::string Cp932ToUtf8(const std::string& text);

// Write the bytes unchanged; true when all were written.
bool WriteStdout(const std::string& bytes);
bool WriteStderr(const std::string& bytes);

// Lines written a block at a time, each followed by a line feed: as the code page 932 bytes
// given (raw), or in UTF-8. A block is converted whole, in two calls, instead of every line
// on its own; the result is the same as converting line by line. Blocks end at line ends, so
// no character is cut. One thread.
class ConsoleLineWriter {
 public:
  using WriteFunction = bool (*)(const std::string& bytes);
  static constexpr std::size_t kBlockSize = 64 * 1024;

  // write receives each block (WriteStdout unless a test says otherwise).
  explicit ConsoleLineWriter(bool raw, WriteFunction write = &WriteStdout,
                             std::size_t blockSize = kBlockSize);
  // Writes what is left.
  ~ConsoleLineWriter();
  ConsoleLineWriter(const ConsoleLineWriter&) = delete;
  ConsoleLineWriter& operator=(const ConsoleLineWriter&) = delete;

  // Adds length bytes of line and a line feed; a full block is written.
  void AddLine(const char* line, std::size_t length);
  // Writes what is pending; false when a write failed (since the last Flush).
  bool Flush();

 private:
  // Moves the pending code page 932 bytes, converted, to the end of m_converted.
  void ConvertPending();

  const bool m_raw;
  const WriteFunction m_write;
  const std::size_t m_blockSize;
  std::string m_pending;    // code page 932 lines not yet converted
  std::wstring m_wide;      // the conversion's UTF-16 step, reused
  std::string m_converted;  // UTF-8 (or raw) bytes not yet written
  bool m_failed = false;
};
