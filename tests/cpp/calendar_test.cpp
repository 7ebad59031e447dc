// Period-date conversions, checked against fixed cases and against an
// independent day-count oracle over every day of several centuries.
#include <gtest/gtest.h>

#include <climits>

#include "bridge/exports.h"

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (civil-from-days
// inverse), computed without any month-length table.
long daysFromCivil(long y, long m, long d) {
  y -= m <= 2;
  long era = (y >= 0 ? y : y - 399) / 400;
  long yoe = y - era * 400;
  long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

int ymd(long y, long m, long d) { return static_cast<int>(y * 10000 + m * 100 + d); }

// The last day of month m of year y, by stepping back one day from the
// first of the next month.
int lastDayOfMonth(long y, long m) {
  long next = daysFromCivil(m == 12 ? y + 1 : y, m == 12 ? 1 : m + 1, 1);
  for (long d = 31; d >= 28; --d)
    if (daysFromCivil(y, m, d) == next - 1) return ymd(y, m, d);
  return -1;
}

TEST(LeapYear, FollowsGregorianRuleWithShortYears) {
  EXPECT_EQ(isLeapYear(1996), 1);
  EXPECT_EQ(isLeapYear(1900), 0);
  EXPECT_EQ(isLeapYear(2000), 1);
  EXPECT_EQ(isLeapYear(2100), 0);
  EXPECT_EQ(isLeapYear(96), 1);   // 1996
  EXPECT_EQ(isLeapYear(0), 0);    // 1900
  EXPECT_EQ(isLeapYear(100), 1);  // 2000
  EXPECT_EQ(isLeapYear(199), 0);  // 2099
  EXPECT_EQ(isLeapYear(200), 0);  // taken literally
  EXPECT_EQ(isLeapYear(204), 1);
  EXPECT_EQ(isLeapYear(INT_MIN), isLeapYear(INT_MIN + 1900));
}

TEST(PeriodToCalendar, AnnualAndQuarterlyEnds) {
  EXPECT_EQ(qvbdateToYmd(2020, 10), 20201231);
  EXPECT_EQ(qvbdateToYmd(96, 10), 961231);
  EXPECT_EQ(qvbdateToYmd(20201, 30), 20200331);
  EXPECT_EQ(qvbdateToYmd(20202, 30), 20200630);
  EXPECT_EQ(qvbdateToYmd(20203, 30), 20200930);
  EXPECT_EQ(qvbdateToYmd(20204, 30), 20201231);
}

TEST(PeriodToCalendar, MonthEndsDecideLeapYearsOnTheYearPart) {
  EXPECT_EQ(qvbdateToYmd(202002, 40), 20200229);
  EXPECT_EQ(qvbdateToYmd(201902, 40), 20190228);
  EXPECT_EQ(qvbdateToYmd(190002, 40), 19000228);
  EXPECT_EQ(qvbdateToYmd(200002, 40), 20000229);
  EXPECT_EQ(qvbdateToYmd(202004, 40), 20200430);
  EXPECT_EQ(qvbdateToYmd(9602, 40), 960229);    // decided as 1996, written as 96
  EXPECT_EQ(qvbdateToYmd(10002, 40), 1000229);  // decided as 2000
  EXPECT_EQ(qvbdateToYmd(20002, 40), 2000228);  // year 200 taken literally
}

TEST(PeriodToCalendar, DayBasedAndUnlistedCodes) {
  for (int frequency : {51, 52, 53, 54, 55, 56, 57, 60, 61})
    EXPECT_EQ(qvbdateToYmd(20200715, frequency), 20200715) << frequency;
  for (int frequency : {20, 0, 58, 59, 62, -10, 11, 50})
    EXPECT_EQ(qvbdateToYmd(2020, frequency), 0) << frequency;
}

TEST(PeriodToCalendar, MalformedQuartersAndMonthsNameNoDate) {
  for (int quarter : {0, 5, 6, 7, 8, 9}) EXPECT_EQ(qvbdateToYmd(20200 + quarter, 30), 0);
  EXPECT_EQ(qvbdateToYmd(-20201, 30), 0);
  for (int month : {0, 13, 50, 99}) EXPECT_EQ(qvbdateToYmd(202000 + month, 40), 0);
  EXPECT_EQ(qvbdateToYmd(-202001, 40), 0);
  EXPECT_EQ(qvbdateToYmd(INT_MIN, 40), 0);
  EXPECT_EQ(qvbdateToYmd(INT_MAX, 30), 0);
}

TEST(CalendarToPeriod, EveryCode) {
  EXPECT_EQ(ymdToQvbdate(20200715, 10), 2020);
  EXPECT_EQ(ymdToQvbdate(20200331, 30), 20201);
  EXPECT_EQ(ymdToQvbdate(20200401, 30), 20202);
  EXPECT_EQ(ymdToQvbdate(20201231, 30), 20204);
  EXPECT_EQ(ymdToQvbdate(20200229, 40), 202002);
  EXPECT_EQ(ymdToQvbdate(20200229, 60), 20200229);
  EXPECT_EQ(ymdToQvbdate(20200229, 20), -1);
  EXPECT_EQ(ymdToQvbdate(20200229, 50), -1);
}

TEST(CalendarToPeriod, OutOfRangeSentinelDates) {
  EXPECT_EQ(ymdToQvbdate(99999999, 10), 9999);
  EXPECT_EQ(ymdToQvbdate(-99999999, 10), -9999);
  EXPECT_EQ(ymdToQvbdate(99999999, 30), 100023);
  EXPECT_EQ(ymdToQvbdate(-99999999, 30), -100023);
  EXPECT_EQ(ymdToQvbdate(99999999, 40), 999999);
  EXPECT_EQ(ymdToQvbdate(-99999999, 40), -999999);
  EXPECT_EQ(ymdToQvbdate(99999999, 55), 99999999);
}

TEST(CalendarRoundTrip, EveryDayFrom1896To2104AgainstDayCountOracle) {
  // Walk the calendar a day at a time, checking the walk against the
  // oracle's day count.
  long y = 1896, m = 1, d = 1;
  for (long day = daysFromCivil(1896, 1, 1); day <= daysFromCivil(2104, 12, 31); ++day) {
    ASSERT_EQ(daysFromCivil(y, m, d), day);
    int date = ymd(y, m, d);
    int monthEnd = lastDayOfMonth(y, m);
    int quarterEnd = lastDayOfMonth(y, ((m - 1) / 3 + 1) * 3);
    ASSERT_EQ(qvbdateToYmd(ymdToQvbdate(date, 40), 40), monthEnd) << date;
    ASSERT_EQ(qvbdateToYmd(ymdToQvbdate(date, 30), 30), quarterEnd) << date;
    ASSERT_EQ(qvbdateToYmd(ymdToQvbdate(date, 10), 10), ymd(y, 12, 31)) << date;
    ASSERT_EQ(qvbdateToYmd(ymdToQvbdate(date, 61), 61), date) << date;
    ASSERT_EQ(ymdToQvbdate(qvbdateToYmd(ymdToQvbdate(date, 40), 40), 40), y * 100 + m);
    if (date == monthEnd) {
      d = 1;
      if (++m == 13) m = 1, ++y;
    } else {
      ++d;
    }
  }
}

}  // namespace
