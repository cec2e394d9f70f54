// Calendar arithmetic behind expiry, delivery, issue and maturity dates.
#include "datagen/calendar.h"

#include <gtest/gtest.h>

using namespace datagen;

TEST(Calendar, dayNumbersRoundTripOverCenturiesAndLeapDays) {
  EXPECT_EQ(dayNumber(1970, 1, 1), 0);
  EXPECT_EQ(dayNumber(1969, 12, 31), -1);
  int previous = dayNumber(1899, 12, 31);
  for (int year = 1900; year <= 2100; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= daysInMonth(year, month); ++day) {
        const int number = dayNumber(year, month, day);
        ASSERT_EQ(number, previous + 1) << year << "-" << month << "-" << day;
        const CalendarDate back = calendarDate(number);
        ASSERT_EQ(back.year, year);
        ASSERT_EQ(back.month, month);
        ASSERT_EQ(back.day, day);
        previous = number;
      }
    }
  }
  EXPECT_EQ(daysInMonth(2024, 2), 29);
  EXPECT_EQ(daysInMonth(1900, 2), 28);
  EXPECT_EQ(daysInMonth(2000, 2), 29);
}

TEST(Calendar, weekdaysAndBusinessDays) {
  struct Case {
    int y, m, d;
    int weekday;
    const char* nextBusiness;
  };
  const Case cases[] = {
      {1970, 1, 1, 3, "19700101"},    // Thursday
      {2027, 1, 16, 5, "20270118"},   // Saturday -> Monday
      {2027, 1, 17, 6, "20270118"},   // Sunday -> Monday
      {2027, 1, 15, 4, "20270115"},   // Friday stays
      {1969, 12, 28, 6, "19691229"},  // before the epoch
  };
  for (const Case& c : cases) {
    const int number = dayNumber(c.y, c.m, c.d);
    EXPECT_EQ(weekday(number), c.weekday) << c.y << c.m << c.d;
    EXPECT_EQ(formatDate(nextBusinessDay(number)), c.nextBusiness);
  }
  // Stock options expire on the fourth Wednesday, index futures on the
  // third Friday.
  EXPECT_EQ(formatDate(nthWeekdayOfMonth(2027, 3, 2, 4)), "20270324");
  EXPECT_EQ(formatDate(nthWeekdayOfMonth(2027, 3, 4, 3)), "20270319");
  EXPECT_EQ(formatDate(nthWeekdayOfMonth(2026, 12, 6, 1)), "20261206")
      << "a month starting on the day";
}

TEST(Calendar, addMonthsClampsToTheMonthEnd) {
  EXPECT_EQ(formatDate(addMonths(dayNumber(2024, 1, 31), 1)), "20240229");
  EXPECT_EQ(formatDate(addMonths(dayNumber(2023, 1, 31), 1)), "20230228");
  EXPECT_EQ(formatDate(addMonths(dayNumber(2027, 3, 7), -1)), "20270207");
  EXPECT_EQ(formatDate(addMonths(dayNumber(2026, 11, 30), 3)), "20270228");
  EXPECT_EQ(formatDate(addMonths(dayNumber(2027, 1, 15), -13)), "20251215");
}

TEST(Calendar, relativeDatesUseTheLoaderForms) {
  EXPECT_EQ(relativeDate(0), "@");
  EXPECT_EQ(relativeDate(3), "@+3");
  EXPECT_EQ(relativeDate(-2), "@-2");
  EXPECT_EQ(relativeDate(3650), "@+3650");
}
