// Packed dates: year in the high half of the word, month and day in the two low bytes. Words
// of later days compare larger, and the three fields come back exactly, whatever they were,
// so a date read from a file is written back unchanged even when it is not a real day.

#include "quarnctrl/quarn_ctrl.h"

namespace {

bool IsLeapYear(unsigned year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool IsRealDay(unsigned year, unsigned month, unsigned day) {
  static const unsigned kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1601 || month < 1 || month > 12 || day < 1) return false;
  unsigned last = kDays[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
  return day <= last;
}

// Day of the week, 0 for Sunday, of a real day of the Gregorian calendar.
unsigned DayOfWeek(unsigned year, unsigned month, unsigned day) {
  static const unsigned kMonthOffset[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kMonthOffset[month - 1] + day) % 7;
}

}  // namespace

DWORD CQuarnListBox::ConvertToDateData(SYSTEMTIME date) {
  return QuarnPackDate(date.wYear, date.wMonth, date.wDay);
}

void CQuarnListBox::ConvertToSysTime(DWORD word, SYSTEMTIME* date) {
  if (date == nullptr) return;
  *date = SYSTEMTIME{};
  QuarnSplitDate(word, &date->wYear, &date->wMonth, &date->wDay);
  if (IsRealDay(date->wYear, date->wMonth, date->wDay)) {
    date->wDayOfWeek = static_cast<WORD>(DayOfWeek(date->wYear, date->wMonth, date->wDay));
  }
}
