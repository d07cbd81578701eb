#include "host/console_output.h"

#include <windows.h>

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
