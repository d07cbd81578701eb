#include <gtest/gtest.h>

#include "quarnctrl/quarn_ctrl.h"

namespace {

SYSTEMTIME Day(int year, int month, int day) {
  SYSTEMTIME date{};
  date.wYear = static_cast<WORD>(year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = static_cast<WORD>(day);
  return date;
}

bool IsLeap(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysIn(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kDays[month - 1] + (month == 2 && IsLeap(year) ? 1 : 0);
}

// Every day of the calendar range must come back exactly, and each day must pack to a word
// larger than the day before: otherwise overdue items would be coloured as due later.
TEST(PackedDate, EveryDayRoundTripsAndLaterDaysPackLarger) {
  DWORD previous = 0;  // every word is larger than this too
  int weekday = 1;     // 1601-01-01 was a Monday
  for (int year = 1601; year <= 9999; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= DaysIn(year, month); ++day) {
        DWORD word = CQuarnListBox::ConvertToDateData(Day(year, month, day));
        ASSERT_GT(word, previous) << year << "/" << month << "/" << day;
        previous = word;
        SYSTEMTIME back;
        CQuarnListBox::ConvertToSysTime(word, &back);
        ASSERT_EQ(back.wYear, year);
        ASSERT_EQ(back.wMonth, month);
        ASSERT_EQ(back.wDay, day);
        ASSERT_EQ(back.wDayOfWeek, weekday) << year << "/" << month << "/" << day;
        weekday = (weekday + 1) % 7;
      }
    }
  }
}

TEST(PackedDate, TimeOfDayAndWeekdayDoNotChangeTheWord) {
  SYSTEMTIME morning = Day(2026, 12, 8);
  SYSTEMTIME evening = morning;
  evening.wHour = 23;
  evening.wMinute = 59;
  evening.wDayOfWeek = 5;
  EXPECT_EQ(CQuarnListBox::ConvertToDateData(morning), CQuarnListBox::ConvertToDateData(evening));
}

// A date read from a file that is not a real day is written back unchanged.
TEST(PackedDate, FieldsOfANonDayComeBackUnchanged) {
  SYSTEMTIME back;
  CQuarnListBox::ConvertToSysTime(CQuarnListBox::ConvertToDateData(Day(2026, 2, 30)), &back);
  EXPECT_EQ(back.wYear, 2026);
  EXPECT_EQ(back.wMonth, 2);
  EXPECT_EQ(back.wDay, 30);
  CQuarnListBox::ConvertToSysTime(CQuarnListBox::ConvertToDateData(Day(0, 0, 0)), &back);
  EXPECT_EQ(back.wYear + back.wMonth + back.wDay, 0);
  CQuarnListBox::ConvertToSysTime(0, nullptr);  // no crash
}

}  // namespace
