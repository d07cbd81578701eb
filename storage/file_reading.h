#pragma once
// Reading stored files through the files interface: all of a file at once, or line by line
// with lines of any length.

#include <cstddef>
#include <string>

#include "storage/files.h"

namespace storage {

// Reads the whole file at path into *bytes. Returns kOpened when all of it was read;
// kNotFound when it does not exist; kFailed when it could not be opened or a read failed.
// Unless kOpened, *bytes is empty. Any thread.
OpenResult ReadWholeFile(Files& files, const std::string& path, std::string* bytes);

// Reads an open file line by line, whole lines of any length, with the line ends of
// lines.h. One thread at a time; the file must outlive the reader.
class LineReader {
 public:
  explicit LineReader(ReadableFile& file) : m_file(file) {}

  // Sets *line to the next line without its line end and *ended to whether it had one.
  // Returns false at the end of the file or after a read error (then failed() is true).
  bool ReadLine(std::string* line, bool* ended = nullptr);

  bool failed() const { return m_failed; }

 private:
  // Reads more bytes into m_buffer; false at the end of the file or on an error.
  bool Fill();

  ReadableFile& m_file;
  std::string m_buffer;     // bytes read but not yet returned start at m_start
  std::size_t m_start = 0;  // where the next line begins in m_buffer
  bool m_atEnd = false;
  bool m_failed = false;
};

}  // namespace storage
