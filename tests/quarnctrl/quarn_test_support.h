#pragma once
// A recorder for the events a list box raises, for the portable tests.

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "quarnctrl/quarn_ctrl.h"
#include "quarnctrl/quarn_headless.h"

namespace quarn_test {

struct EventLog {
  CQuarnListBox* box = nullptr;
  std::vector<int> events;
  std::vector<int> selectionSeen;    // GetCurSel when each event arrived
  std::map<int, int> answers;        // events answered other than 1
  std::function<void(int)> onEvent;  // extra work a test's handler does
};

template <int Event>
int Record(void* user) {
  auto* log = static_cast<EventLog*>(user);
  log->events.push_back(Event);
  log->selectionSeen.push_back(log->box->GetCurSel());
  if (log->onEvent) log->onEvent(Event);
  auto answer = log->answers.find(Event);
  return answer != log->answers.end() ? answer->second : 1;
}

inline void RecordAllEvents(CQuarnListBox* box, EventLog* log) {
  log->box = box;
  box->SetCallback(QUARN_EVENT_ACTIVATE, &Record<1>, log);
  box->SetCallback(QUARN_EVENT_SELCHANGING, &Record<8>, log);
  box->SetCallback(QUARN_EVENT_SELCHANGED, &Record<9>, log);
  box->SetCallback(QUARN_EVENT_SELCHANGING_KEY, &Record<10>, log);
  box->SetCallback(QUARN_EVENT_EDITBEGIN, &Record<11>, log);
  box->SetCallback(QUARN_EVENT_NAMEEDITED, &Record<12>, log);
  box->SetCallback(QUARN_EVENT_EDITEND, &Record<13>, log);
}

using BoxPtr = std::unique_ptr<CQuarnListBox, CQuarnBoxDeleter>;

inline BoxPtr MakeBox(const char* name) {
  RECT rect{0, 0, 200, 200};
  return BoxPtr(CQuarnListBox::NewQuarnCtrl(nullptr, name, &rect, 0));
}

}  // namespace quarn_test
