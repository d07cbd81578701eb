#pragma once
// When a file was written, seen from outside the writer: a thread of its own looks at the
// file's size and write time every millisecond, without opening it (a save that moves a new
// file over it must never find it held), and once they change reads the file and checks that
// it holds what was expected; until it does, it goes on looking. The time kept is when the
// change was first seen, before the file was read.

#include <windows.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>

#include "lists/window_clock.h"

namespace bench {

class WriteWatch {
 public:
  // Starts watching the file at `path` as it is now; `expected` tells whether the bytes read
  // hold the change waited for.
  WriteWatch(std::string path, std::function<bool(const std::string&)> expected)
      : m_path(std::move(path)),
        m_expected(std::move(expected)),
        m_before(StampOf(m_path)),
        m_thread([this] { Run(); }) {}
  ~WriteWatch() {
    m_stop = true;
    m_thread.join();
  }
  WriteWatch(const WriteWatch&) = delete;
  WriteWatch& operator=(const WriteWatch&) = delete;

  bool Seen() const { return m_seen; }
  // When the change was first seen (bench::Now()); valid once Seen().
  double SeenAt() const { return m_seenAt; }

 private:
  struct Stamp {
    ULONGLONG size = 0;
    ULONGLONG written = 0;
    bool operator!=(const Stamp& other) const {
      return size != other.size || written != other.written;
    }
  };

  static Stamp StampOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return Stamp();
    Stamp stamp;
    stamp.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp.written = (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                    data.ftLastWriteTime.dwLowDateTime;
    return stamp;
  }

  void Run() {
    Stamp last = m_before;
    while (!m_stop) {
      const Stamp now = StampOf(m_path);
      const double at = Now();
      std::ifstream in;
      if (now != last) in.open(m_path, std::ios::binary);
      // A file being replaced may not open for a moment: it is looked at again.
      if (in) {
        last = now;
        std::ostringstream bytes;
        bytes << in.rdbuf();
        if (m_expected(bytes.str())) {
          m_seenAt = at;
          m_seen = true;
          return;
        }
      }
      Sleep(1);
    }
  }

  const std::string m_path;
  const std::function<bool(const std::string&)> m_expected;
  const Stamp m_before;
  std::atomic<double> m_seenAt{0};
  std::atomic<bool> m_seen{false};
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};

}  // namespace bench
