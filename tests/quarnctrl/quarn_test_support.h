#pragma once
// Boxes for the tests: made by the factory, filled through the program's interface, with every
// event they raise recorded; and, for the portable tests, the headless front that acts as the
// user and lists what the model told it.

#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "quarnctrl/quarn_ctrl.h"
#include "quarnctrl/quarn_headless.h"

namespace quarn {

// A change as a failed expectation prints it: "Stored(1, Check)".
inline std::ostream& operator<<(std::ostream& out, const Change& change) {
  static const char* const kKinds[] = {"Inserted", "Removed", "Reset",
                                       "Selected", "Stored",  "Appended"};
  static const char* const kParts[] = {"Text", "Check", "Date"};
  out << kKinds[change.kind] << "(" << change.row;
  if (change.kind == Change::Stored) out << ", " << kParts[static_cast<int>(change.part)];
  if (change.kind == Change::Appended) out << ", " << change.count;
  return out << ")";
}

}  // namespace quarn

namespace quarn_test {

using Events = std::vector<int>;
using Changes = std::vector<quarn::Change>;
constexpr DWORD kDay = 0x07EA0C08;  // 2026-12-08 as a packed date

struct EventLog {
  CQuarnListBox* box = nullptr;
  Events events;
  Events selectionSeen;              // GetCurSel when each event arrived
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

// Adds (at == -1) or inserts a row into either box: the list-name box takes the text and the
// data word, the item box the check too. The new row's index, or -1.
inline int PutRow(CQuarnListBox* box, const char* text, int at = -1, int check = 0,
                  DWORD data = 0) {
  if (auto* names = dynamic_cast<CQuarnImageListBox*>(box)) {
    return at < 0 ? names->AddItem(nullptr, text, data)
                  : names->InsertItem(at, nullptr, text, data);
  }
  auto* items = static_cast<CQuarnCheckedListBox*>(box);
  return at < 0 ? items->AddItem(check, text, data) : items->InsertItem(at, check, text, data);
}

// Every row's text, each followed by ';'.
inline std::string Texts(const CQuarnListBox* box) {
  std::string all;
  for (int i = 0; i < box->GetCount(); ++i) all += std::string(box->GetItemText(i)) + ";";
  return all;
}

// "ToDoList" or "ToDoItem" without a window, with `rows` rows "a", "b", ... (items open and
// due kDay), editable, recording every event; its front has forgotten the filling.
struct HeadlessBox {
  explicit HeadlessBox(const char* name, int rows = 5) {
    RECT rect{0, 0, 200, 200};
    box.reset(CQuarnListBox::NewQuarnCtrl(nullptr, name, &rect, 0));
    for (int i = 0; i < rows; ++i)
      PutRow(box.get(), std::string(1, 'a' + i % 26).c_str(), -1, 0, kDay);
    box->SetEditable(1);
    RecordAllEvents(box.get(), &log);
    front = quarn::HeadlessFrontOf(box.get());
    front->ForgetChanges();
  }
  // Selects `row` with a click, which focuses the box, then forgets the events and the changes.
  void Select(int row) {
    front->Click(row);
    Forget();
  }
  void Forget() {
    log.events.clear();
    log.selectionSeen.clear();
    front->ForgetChanges();
  }
  // The open editor ends with `text`, stored with Enter or given up with Esc.
  void EndEdit(const std::string& text, bool store = true) {
    front->TypeText(text);
    store ? front->PressEnter() : front->PressEscape();
  }
  const Changes& Told() const { return front->Changes(); }

  BoxPtr box;
  EventLog log;
  quarn::HeadlessFront* front = nullptr;
};

}  // namespace quarn_test
