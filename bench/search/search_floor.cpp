// The floor for the host's console search under Wine: the least a program must do for the same
// result. It lists the list folder, reads each list file whole, finds the records that hold one
// of the words (plain byte search, no character boundaries), and for each one tests its window
// with IsWindow and sends it the line with SendMessage, as the tool sends a result to the
// host's window; the window is of this thread, so each line arrives as a direct call. The
// lines are converted to UTF-8 and written once, at the end.
//
//   search_floor.exe FOLDER TEXTFILE
//
// FOLDER holds the list files (*.lst); TEXTFILE holds the words, code page 932 bytes cut at
// spaces. Exit code 0, or 1 when the text file or the window cannot be made.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr UINT kLineMessage = WM_APP + 1;
constexpr char kClassName[] = "SearchFloorSink";

// Closes a kernel handle when it goes.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : m_handle(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (valid()) CloseHandle(m_handle);
  }
  bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return m_handle; }

 private:
  HANDLE m_handle;
};

// Ends a folder search when it goes.
class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : m_handle(handle) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (valid()) FindClose(m_handle);
  }
  bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return m_handle; }

 private:
  HANDLE m_handle;
};

// Destroys a window when it goes.
class WindowHandle {
 public:
  explicit WindowHandle(HWND window) : m_window(window) {}
  WindowHandle(const WindowHandle&) = delete;
  WindowHandle& operator=(const WindowHandle&) = delete;
  ~WindowHandle() {
    if (m_window) DestroyWindow(m_window);
  }
  HWND get() const { return m_window; }

 private:
  HWND m_window;
};

std::string g_output;  // what the window received, one line and a line feed each

LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kLineMessage) {
    g_output.append(reinterpret_cast<const char*>(wParam), static_cast<std::size_t>(lParam));
    g_output += '\n';
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool ReadWhole(const std::string& path, std::string* bytes) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return false;
  const DWORD size = GetFileSize(file.get(), nullptr);
  if (size == INVALID_FILE_SIZE) return false;
  bytes->resize(size);
  DWORD got = 0;
  if (size > 0 && !ReadFile(file.get(), &(*bytes)[0], size, &got, nullptr)) return false;
  bytes->resize(got);
  return true;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t space = std::min(text.find(' ', at), text.size());
    if (space > at) words.push_back(text.substr(at, space - at));
    at = space + 1;
  }
  return words;
}

// Sends every line of bytes that holds one of the words to window.
void SendMatchingLines(const std::string& bytes, const std::vector<std::string>& words, HWND window,
                       std::string* line) {
  const std::string_view all(bytes);
  // The next place of each word at or after `from`; npos when there is none.
  std::vector<std::size_t> next(words.size(), 0);
  std::size_t from = 0;
  for (std::size_t i = 0; i < words.size(); ++i) next[i] = all.find(words[i]);
  for (;;) {
    const std::size_t hit = *std::min_element(next.begin(), next.end());
    if (hit == std::string_view::npos) return;
    const std::size_t lineFeed = all.rfind('\n', hit);
    const std::size_t start = lineFeed == std::string_view::npos ? 0 : lineFeed + 1;
    std::size_t end = all.find('\n', hit);
    if (end == std::string_view::npos) end = all.size();
    std::size_t length = end - start;
    if (length > 0 && all[start + length - 1] == '\r') --length;
    line->assign(all.data() + start, length);
    if (IsWindow(window)) {
      SendMessageA(window, kLineMessage, reinterpret_cast<WPARAM>(line->c_str()),
                   static_cast<LPARAM>(length));
    }
    from = end + 1;
    for (std::size_t i = 0; i < words.size(); ++i) {
      if (next[i] != std::string_view::npos && next[i] < from) next[i] = all.find(words[i], from);
    }
  }
}

bool WriteStdout(const std::string& bytes) {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    if (!WriteFile(out, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                   nullptr) ||
        written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

std::string ToUtf8(const std::string& text) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  const int wideLength = MultiByteToWideChar(932, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(932, 0, text.data(), length, &wide[0], wideLength);
  const int utf8Length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], utf8Length, nullptr, nullptr);
  return utf8;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: search_floor.exe FOLDER TEXTFILE\n");
    return 1;
  }
  const std::string folder = argv[1];
  std::string text;
  if (!ReadWhole(argv[2], &text)) {
    std::fprintf(stderr, "search_floor: cannot read %s\n", argv[2]);
    return 1;
  }
  const std::vector<std::string> words = Words(text);

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &SinkProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);
  WindowHandle window(CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleA(nullptr), nullptr));
  if (!window.get()) {
    std::fprintf(stderr, "search_floor: the window cannot be made\n");
    return 1;
  }

  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  {
    FindHandle find(FindFirstFileA((folder + "\\*.lst").c_str(), &entry));
    if (find.valid()) {
      do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
      } while (FindNextFileA(find.get(), &entry));
    }
  }
  std::sort(names.begin(), names.end());

  std::string bytes;
  std::string line;
  for (const std::string& name : names) {
    if (ReadWhole(folder + "\\" + name, &bytes) && !words.empty()) {
      SendMatchingLines(bytes, words, window.get(), &line);
    }
  }
  return WriteStdout(ToUtf8(g_output)) ? 0 : 1;
}
