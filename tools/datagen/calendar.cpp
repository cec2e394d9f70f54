#include "datagen/calendar.h"

#include <cstdio>

namespace datagen {

// Days-from-civil and its inverse (H. Hinnant's algorithms): exact for every
// date the generator produces and free of time zones, unlike mktime.
int dayNumber(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int era = (year >= 0 ? year : year - 399) / 400;
  const int yearOfEra = year - era * 400;
  const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

CalendarDate calendarDate(int number) {
  number += 719468;
  const int era = (number >= 0 ? number : number - 146096) / 146097;
  const int dayOfEra = number - era * 146097;
  const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int mp = (5 * dayOfYear + 2) / 153;
  CalendarDate date;
  date.day = dayOfYear - (153 * mp + 2) / 5 + 1;
  date.month = mp < 10 ? mp + 3 : mp - 9;
  date.year = yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0);
  return date;
}

int weekday(int number) {
  // 1970-01-01 was a Thursday (3 when Monday is 0).
  const int w = (number + 3) % 7;
  return w < 0 ? w + 7 : w;
}

int daysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 30;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

int nextBusinessDay(int number) {
  const int w = weekday(number);
  if (w == 5) return number + 2;
  if (w == 6) return number + 1;
  return number;
}

int nthWeekdayOfMonth(int year, int month, int weekdayWanted, int n) {
  const int first = dayNumber(year, month, 1);
  const int offset = (weekdayWanted - weekday(first) + 7) % 7;
  return first + offset + 7 * (n - 1);
}

int addMonths(int number, int months) {
  const CalendarDate date = calendarDate(number);
  int monthIndex = date.year * 12 + (date.month - 1) + months;
  const int year = monthIndex / 12;
  const int month = monthIndex % 12 + 1;
  const int day = date.day < daysInMonth(year, month) ? date.day : daysInMonth(year, month);
  return dayNumber(year, month, day);
}

std::string formatDate(int number) {
  const CalendarDate date = calendarDate(number);
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
  return text;
}

std::string relativeDate(int offsetDays) {
  if (offsetDays == 0) return "@";
  return (offsetDays > 0 ? "@+" : "@-") + std::to_string(offsetDays > 0 ? offsetDays : -offsetDays);
}

}  // namespace datagen
