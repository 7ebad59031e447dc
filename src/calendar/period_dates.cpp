// Conversions between period dates and calendar dates (YYYYMMDD).
//
// Arithmetic is 32-bit with division truncating toward zero. A year part
// below 200 is a short year: for the leap-year decision only it counts as
// 1900 + year, and the year written is always the year part unchanged.
//
// A quarterly period date whose quarter digit is not 1 to 4, and a monthly
// one whose month is not 1 to 12, name no period: they convert to 0, the
// value that an unlisted frequency gives, and the month-length table is
// never read outside its entries.
#include <cmath>
#include <cstdint>

#include "../bridge/exports.h"
#include "frequency.h"

namespace {

// Month lengths of a common year, then of a leap year.
constexpr int32_t monthLengths[24] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31,
                                      31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int monthLength(int month, bool leap) { return monthLengths[(leap ? 12 : 0) + month - 1]; }

// Results that leave 32 bits wrap, as 32-bit arithmetic does, without the
// undefined behaviour of a signed overflow.
int32_t wrap32(int64_t value) { return static_cast<int32_t>(static_cast<uint32_t>(value)); }

int32_t endOfYear(int periodDate) { return wrap32(int64_t{periodDate} * 10000 + 1231); }

int32_t endOfQuarter(int periodDate) {
  int year = periodDate / 10, quarter = periodDate % 10;
  if (quarter < 1 || quarter > 4) return 0;
  return wrap32(int64_t{year} * 10000 + quarter * 300 + monthLength(3 * quarter, false));
}

int32_t endOfMonth(int periodDate) {
  int year = periodDate / 100, month = periodDate % 100;
  if (month < 1 || month > 12) return 0;
  bool leap = isLeapYear(year) != 0;
  return wrap32(int64_t{year} * 10000 + month * 100 + monthLength(month, leap));
}

int32_t quarterOf(int year, int month) {
  return static_cast<int32_t>(year * 10.0 + std::ceil(month / 3.0));
}

}  // namespace

int isLeapYear(int year) {
  if (year < 200) year += 1900;
  if (year % 4 != 0) return 0;
  if (year % 100 != 0) return 1;
  return year % 400 == 0 ? 1 : 0;
}

int qvbdateToYmd(int periodDate, int frequency) {
  if (frequency == vemro::annual) return endOfYear(periodDate);
  if (frequency == vemro::quarterly) return endOfQuarter(periodDate);
  if (frequency == vemro::monthly) return endOfMonth(periodDate);
  if (vemro::isDayBased(frequency)) return periodDate;
  return 0;
}

int ymdToQvbdate(int calendarDate, int frequency) {
  int year = calendarDate / 10000;
  int month = (calendarDate % 10000) / 100;
  if (frequency == vemro::annual) return year;
  if (frequency == vemro::quarterly) return quarterOf(year, month);
  if (frequency == vemro::monthly) return year * 100 + month;
  if (vemro::isDayBased(frequency)) return calendarDate;
  return -1;
}
