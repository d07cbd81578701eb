#pragma once
// Line ends of the stored files. A line is written with CR LF; when reading, CR LF or a lone
// LF ends a line. A lone CR and a Ctrl-Z byte are ordinary bytes. The translation is ours, on
// bytes, so both builds read and write the same files the same way. All functions are pure
// and may be called from any thread.

#include <cstddef>
#include <string>
#include <string_view>

namespace storage {

inline constexpr std::string_view kLineEnd = "\r\n";

// One line as read: its bytes without the line end, and whether it had one (only the last
// line of a file can lack it).
struct Line {
  std::string_view text;
  bool ended = false;
};

// Takes the first line off *rest and sets *line to it. Returns false when *rest is empty:
// bytes after the last line end form a line, but nothing after it does.
bool TakeLine(std::string_view* rest, Line* line);

// The length of text without a line end at its end (a final LF, or CR LF).
std::size_t LengthWithoutLineEnd(std::string_view text);

// The lines of bytes, each ended with CR LF: what a file's lines become when they are written
// again as they were read (a lone LF gets its CR, a last line without a line end gets one).
std::string WithCrLfLineEnds(std::string_view bytes);

// Appends text to *out with each line break (CR LF, or a lone LF) made one space, so that a
// text written as one line is read back as one line.
void AppendWithoutLineBreaks(std::string* out, std::string_view text);

}  // namespace storage
