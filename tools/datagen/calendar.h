#pragma once
// Calendar arithmetic for the dates a data set carries (expiry, delivery,
// issue and maturity dates as "yyyyMMdd"). Dates are day numbers counted from
// 1970-01-01 in the proleptic Gregorian calendar, so that adding a term or
// stepping to the next business day is plain integer arithmetic. Pure
// functions: any thread.

#include <string>

namespace datagen {

struct CalendarDate {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
};

int dayNumber(int year, int month, int day);
CalendarDate calendarDate(int dayNumber);
// 0 Monday .. 6 Sunday.
int weekday(int dayNumber);
int daysInMonth(int year, int month);
// The same day or the next Monday when it falls on a weekend; exchanges set
// expiry and delivery dates on business days (holidays are not modelled).
int nextBusinessDay(int dayNumber);
// The n-th (1-based) given weekday (0 Monday .. 6 Sunday) of a month: stock
// options expire on the fourth Wednesday.
int nthWeekdayOfMonth(int year, int month, int weekdayWanted, int n);
// The same calendar day `months` months later, clamped to the month's end.
int addMonths(int dayNumber, int months);

// "yyyyMMdd".
std::string formatDate(int dayNumber);
// "@" for 0, "@+N" / "@-N" otherwise: a date relative to the day a data set
// is loaded (tender bond dates and the trading date).
std::string relativeDate(int offsetDays);

}  // namespace datagen
