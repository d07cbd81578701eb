#include "host/console_output.h"

#include <windows.h>

#include "text/cp932.h"

namespace {

constexpr UINT kCodePage932 = 932;

bool WriteAll(DWORD which, const std::string& bytes) {
  const HANDLE stream = GetStdHandle(which);
  if (stream == nullptr || stream == INVALID_HANDLE_VALUE) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(bytes.size() - done);
    if (!WriteFile(stream, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

}  // namespace

std::string Cp932ToUtf8(const std::string& text) {
  if (text.empty()) return std::string();
  const int inLength = static_cast<int>(text.size());
  const int wideLength = MultiByteToWideChar(kCodePage932, 0, text.data(), inLength, nullptr, 0);
  if (wideLength <= 0) return std::string();
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(kCodePage932, 0, text.data(), inLength, &wide[0], wideLength);
  const int utf8Length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (utf8Length <= 0) return std::string();
  std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], utf8Length, nullptr, nullptr);
  return utf8;
}

bool WriteStdout(const std::string& bytes) {
  return WriteAll(STD_OUTPUT_HANDLE, bytes);
}

bool WriteStderr(const std::string& bytes) {
  return WriteAll(STD_ERROR_HANDLE, bytes);
}

namespace {

// Whether the last byte of the text is a lead byte with no byte after it. Such a line is
// converted on its own: in a block, the conversion would take the line feed after it as the
// lead byte's second byte.
bool EndsInLoneLeadByte(const char* text, std::size_t length) {
  if (length == 0 || !cp932::IsLeadByte(static_cast<unsigned char>(text[length - 1]))) {
    return false;
  }
  std::size_t at = 0;
  while (at + 1 < length) {
    at += cp932::IsLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
  }
  return at == length - 1;
}

}  // namespace

ConsoleLineWriter::ConsoleLineWriter(bool raw, WriteFunction write, std::size_t blockSize)
    : m_raw(raw), m_write(write), m_blockSize(blockSize) {
  m_pending.reserve(blockSize + 1024);
}

ConsoleLineWriter::~ConsoleLineWriter() {
  Flush();
}

void ConsoleLineWriter::AddLine(const char* line, std::size_t length) {
  if (!m_raw && EndsInLoneLeadByte(line, length)) {
    ConvertPending();
    m_converted += Cp932ToUtf8(std::string(line, length));
    m_converted += '\n';
  } else {
    m_pending.append(line, length);
    m_pending += '\n';
  }
  if (m_pending.size() + m_converted.size() >= m_blockSize) Flush();
}

void ConsoleLineWriter::ConvertPending() {
  if (m_pending.empty()) return;
  if (m_raw) {
    m_converted += m_pending;
    m_pending.clear();
    return;
  }
  // A code page 932 byte gives at most one UTF-16 unit, and a UTF-16 unit at most three
  // UTF-8 bytes, so one call each fills buffers of these sizes.
  const int inLength = static_cast<int>(m_pending.size());
  m_wide.resize(m_pending.size());
  const int wideLength =
      MultiByteToWideChar(kCodePage932, 0, m_pending.data(), inLength, &m_wide[0], inLength);
  const std::size_t start = m_converted.size();
  m_converted.resize(start + 3 * static_cast<std::size_t>(wideLength > 0 ? wideLength : 0));
  const int utf8Length =
      wideLength <= 0
          ? 0
          : WideCharToMultiByte(CP_UTF8, 0, m_wide.data(), wideLength, &m_converted[start],
                                static_cast<int>(m_converted.size() - start), nullptr, nullptr);
  m_converted.resize(start + static_cast<std::size_t>(utf8Length > 0 ? utf8Length : 0));
  m_pending.clear();
}

bool ConsoleLineWriter::Flush() {
  ConvertPending();
  if (!m_converted.empty() && !m_write(m_converted)) m_failed = true;
  m_converted.clear();
  const bool ok = !m_failed;
  m_failed = false;
  return ok;
}
