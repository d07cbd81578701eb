#pragma once
// How long a window takes to answer, measured from outside its thread: a thread of its own
// sends the window WM_NULL, waits for the answer, rests a millisecond and sends again, until
// stopped. A thread answers a message sent from another thread only between the messages it
// handles itself, so an answer that takes long is a time the window's thread was blocked; a
// block is seen shorter than it was by at most the rest between two sends and the cost of one
// send.

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "lists/window_clock.h"

namespace bench {

struct Ping {
  double sent;  // milliseconds, bench::Now()
  double answered;
  double Took() const { return answered - sent; }
};

class AnswerPinger {
 public:
  explicit AnswerPinger(HWND window) : m_window(window), m_thread([this] { Run(); }) {}
  ~AnswerPinger() { Stop(); }
  AnswerPinger(const AnswerPinger&) = delete;
  AnswerPinger& operator=(const AnswerPinger&) = delete;

  // Stops the sending thread and waits for it; the pings it made, oldest first.
  const std::vector<Ping>& Stop() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    return m_pings;
  }

 private:
  void Run() {
    while (!m_stop) {
      const double sent = Now();
      DWORD_PTR answer = 0;
      if (!SendMessageTimeoutA(m_window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &answer)) break;
      m_pings.push_back({sent, Now()});
      Sleep(1);
    }
  }

  HWND m_window;
  std::atomic<bool> m_stop{false};
  std::vector<Ping> m_pings;  // written by the thread until it is joined
  std::thread m_thread;
};

}  // namespace bench
