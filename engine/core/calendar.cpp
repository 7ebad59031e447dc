// Days-from-civil arithmetic after the well-known era decomposition (400
// years are 146097 days); weeks are counted from Monday 1969-12-29.
#include "calendar.h"

#include <algorithm>

namespace vemro::engine {
namespace {

constexpr int64_t firstMonday = -3;  // 1969-12-29

int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
int64_t floorMod(int64_t a, int64_t b) { return a - floorDiv(a, b) * b; }

bool isLeap(int64_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int monthLength(int64_t year, int month) {
  static constexpr int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeap(year) ? 29 : lengths[month - 1];
}

int clampInt(int64_t value, int low, int high) {
  return static_cast<int>(std::clamp<int64_t>(value, low, high));
}

// Period dates split by floor division, so that a negative year part reads
// back exactly as periodDateOf writes it.
int64_t dayOfPeriodDate(int periodDate) {
  int64_t year = floorDiv(periodDate, 10000), rest = floorMod(periodDate, 10000);
  int month = clampInt(rest / 100, 1, 12);
  int day = clampInt(rest % 100, 1, monthLength(year, month));
  return daysFromCivil(year, month, day);
}

int weekEndWeekday(int frequency) { return frequency - 51; }

}  // namespace

bool isWeekly(int frequency) { return frequency >= 51 && frequency <= 57; }

bool isListedFrequency(int frequency) {
  return frequency == 10 || frequency == 30 || frequency == 40 || isWeekly(frequency) ||
         frequency == 60 || frequency == 61;
}

int64_t daysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2;
  int64_t era = floorDiv(year, 400);
  int64_t yearOfEra = year - era * 400;
  int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

CivilDate civilFromDays(int64_t days) {
  days += 719468;
  int64_t era = floorDiv(days, 146097);
  int64_t dayOfEra = days - era * 146097;
  int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  return {yearOfEra + era * 400 + (month <= 2), month, day};
}

int weekdayOf(int64_t days) { return static_cast<int>(floorMod(days - firstMonday, 7)); }

int64_t indexHoldingDay(int64_t days, int frequency) {
  if (frequency == 61) return days;
  if (frequency == 60) {
    int64_t weeks = floorDiv(days - firstMonday, 7);
    return weeks * 5 + std::min(weekdayOf(days), 4);  // a weekend day is held by its Friday
  }
  if (isWeekly(frequency)) {
    int end = weekEndWeekday(frequency);
    int64_t weekEnd = days + floorMod(end - weekdayOf(days), 7);
    return floorDiv(weekEnd - firstMonday - end, 7);
  }
  CivilDate date = civilFromDays(days);
  if (frequency == 40) return date.year * 12 + date.month - 1;
  if (frequency == 30) return date.year * 4 + (date.month - 1) / 3;
  return date.year;
}

int64_t periodIndex(int periodDate, int frequency) {
  switch (frequency) {
    case 10:
      return periodDate;
    case 30:
      return floorDiv(periodDate, 10) * 4 + clampInt(floorMod(periodDate, 10), 1, 4) - 1;
    case 40:
      return floorDiv(periodDate, 100) * 12 + clampInt(floorMod(periodDate, 100), 1, 12) - 1;
    default:
      return indexHoldingDay(dayOfPeriodDate(periodDate), frequency);
  }
}

int64_t periodEndDay(int64_t index, int frequency) {
  if (frequency == 61) return index;
  if (frequency == 60) return firstMonday + floorDiv(index, 5) * 7 + floorMod(index, 5);
  if (isWeekly(frequency)) return firstMonday + weekEndWeekday(frequency) + index * 7;
  if (frequency == 10) return daysFromCivil(index, 12, 31);
  int monthsPerPeriod = frequency == 30 ? 3 : 1;
  int64_t periodsPerYear = 12 / monthsPerPeriod;
  int64_t year = floorDiv(index, periodsPerYear);
  int month = static_cast<int>(floorMod(index, periodsPerYear) + 1) * monthsPerPeriod;
  return daysFromCivil(year, month, monthLength(year, month));
}

bool endsAfterYear9999(int64_t index, int frequency) {
  return periodEndDay(index, frequency) > daysFromCivil(9999, 12, 31);
}

int64_t periodDateOf(int64_t index, int frequency) {
  if (frequency == 10) return index;
  if (frequency == 30) return floorDiv(index, 4) * 10 + floorMod(index, 4) + 1;
  if (frequency == 40) return floorDiv(index, 12) * 100 + floorMod(index, 12) + 1;
  CivilDate date = civilFromDays(periodEndDay(index, frequency));
  return date.year * 10000 + date.month * 100 + date.day;
}

}  // namespace vemro::engine
