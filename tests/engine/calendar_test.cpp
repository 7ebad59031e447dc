// Period counts and positions checked against an oracle that walks the
// calendar one day at a time (its own month lengths and a running weekday),
// a method independent of the engine's closed-form day arithmetic.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include "period_run.h"

namespace {

using vemro::engine::periodCount;
using vemro::engine::periodDateAt;

struct Day {
  int date;       // YYYYMMDD
  int weekday;    // 0 Monday .. 6 Sunday
  int weekdays;   // Monday-to-Friday days up to and including this one
  int before[7];  // days of each weekday strictly before this one
};

// Every day from 1899-12-25 (a Monday) to the end of 2101.
std::vector<Day> walkCalendar() {
  std::vector<Day> days;
  int year = 1899, month = 12, day = 25, weekday = 0, weekdays = 0, before[7] = {};
  while (year <= 2101) {
    weekdays += weekday < 5;
    Day today{year * 10000 + month * 100 + day, weekday, weekdays, {}};
    std::copy(before, before + 7, today.before);
    days.push_back(today);
    ++before[weekday];
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int lengths[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    weekday = (weekday + 1) % 7;
    if (++day > lengths[month - 1]) {
      day = 1;
      if (++month > 12) month = 1, ++year;
    }
  }
  return days;
}

const std::vector<Day> &calendar() {
  static const std::vector<Day> days = walkCalendar();
  return days;
}

int weekEndsBefore(size_t i, int weekEnd) { return calendar()[i].before[weekEnd]; }

struct Oracle {
  size_t first, last;  // positions in calendar()

  int expectedCount(int frequency) const {
    const Day &a = calendar()[first], &b = calendar()[last];
    if (last < first) return 0;
    switch (frequency) {
      case 61:
        return static_cast<int>(last - first + 1);
      case 60:
        return b.weekdays - a.weekdays + 1;
      case 40:
        return (b.date / 10000 - a.date / 10000) * 12 + b.date / 100 % 100 - a.date / 100 % 100 + 1;
      case 30:
        return (b.date / 10000 - a.date / 10000) * 4 + (b.date / 100 % 100 - 1) / 3 -
               (a.date / 100 % 100 - 1) / 3 + 1;
      case 10:
        return b.date / 10000 - a.date / 10000 + 1;
      default:
        return weekEndsBefore(last, frequency - 51) - weekEndsBefore(first, frequency - 51) + 1;
    }
  }

  // Period date of the period holding the last date.
  int expectedLastPeriod(int frequency) const {
    const Day &b = calendar()[last];
    if (frequency == 61) return b.date;
    if (frequency == 60) return calendar()[last - (b.weekday > 4 ? b.weekday - 4 : 0)].date;
    if (frequency == 40) return b.date / 100;
    if (frequency == 30) return b.date / 10000 * 10 + (b.date / 100 % 100 + 2) / 3;
    if (frequency == 10) return b.date / 10000;
    size_t end = last;
    while (calendar()[end].weekday != frequency - 51) ++end;
    return calendar()[end].date;
  }
};

const int dayBasedFrequencies[] = {51, 52, 53, 54, 55, 56, 57, 60, 61};

int periodDateOfDay(int date, int frequency) {
  if (frequency == 10) return date / 10000;
  if (frequency == 30) return date / 10000 * 10 + (date / 100 % 100 + 2) / 3;
  if (frequency == 40) return date / 100;
  return date;
}

void checkPair(size_t first, size_t last, int frequency) {
  Oracle oracle{first, last};
  int a = periodDateOfDay(calendar()[first].date, frequency);
  int b = periodDateOfDay(calendar()[last].date, frequency);
  int count = oracle.expectedCount(frequency);
  ASSERT_EQ(periodCount(a, b, frequency), count) << a << " to " << b << " at " << frequency;
  ASSERT_EQ(periodDateAt(a, count, frequency), oracle.expectedLastPeriod(frequency))
      << a << " + " << count << " at " << frequency;
}

TEST(PeriodRun, MatchesTheDayByDayCalendarOverRandomDatePairs) {
  std::mt19937 random(20240229);
  std::uniform_int_distribution<size_t> position(7, calendar().size() - 8);
  std::uniform_int_distribution<size_t> span(0, 1500);
  for (int trial = 0; trial < 3000; ++trial) {
    size_t first = position(random);
    size_t last = std::min(first + span(random), calendar().size() - 8);
    for (int frequency : dayBasedFrequencies) checkPair(first, last, frequency);
    for (int frequency : {10, 30, 40}) checkPair(first, last, frequency);
  }
}

TEST(PeriodRun, MatchesTheCalendarAroundYearEndsAndLeapDays) {
  for (size_t i = 7; i + 8 < calendar().size(); ++i) {
    int monthDay = calendar()[i].date % 10000;
    if (monthDay != 1231 && monthDay != 101 && monthDay != 228 && monthDay != 229) continue;
    for (size_t span : {0, 1, 2, 6, 7, 8, 30, 366}) {
      size_t last = std::min(i + span, calendar().size() - 8);
      for (int frequency : dayBasedFrequencies) checkPair(i, last, frequency);
    }
  }
}

TEST(PeriodRun, CountsZeroWhenTheLastComesFirst) {
  EXPECT_EQ(periodCount(20200102, 20200101, 61), 0);
  EXPECT_EQ(periodCount(202002, 202001, 40), 0);
  EXPECT_EQ(periodCount(20202, 20201, 30), 0);
  EXPECT_EQ(periodCount(2020, 2019, 10), 0);
  // A Saturday and the Friday before it are the same business day.
  EXPECT_EQ(periodCount(20200104, 20200103, 60), 1);
}

TEST(PeriodRun, PositionOneIsTheStartsOwnPeriod) {
  EXPECT_EQ(periodDateAt(20200101, 1, 57), 20200105);  // Wednesday: week ends Sunday the 5th
  EXPECT_EQ(periodDateAt(20200101, 1, 51), 20200106);  // weeks ending Monday
  EXPECT_EQ(periodDateAt(20200104, 1, 60), 20200103);  // Saturday: held by Friday
  EXPECT_EQ(periodDateAt(20200104, 2, 60), 20200106);
  EXPECT_EQ(periodDateAt(20194, 2, 30), 20201);
  EXPECT_EQ(periodDateAt(201912, 3, 40), 202002);
  EXPECT_EQ(periodDateAt(2020, 0, 10), 2019);
}

TEST(PeriodRun, UnlistedFrequenciesGiveZero) {
  for (int frequency : {0, 9, 11, 20, 50, 58, 59, 62, -40, INT_MAX}) {
    EXPECT_EQ(periodCount(2000, 2020, frequency), 0) << frequency;
    EXPECT_EQ(periodDateAt(2000, 3, frequency), 0) << frequency;
  }
}

TEST(PeriodRun, AnyThirtyTwoBitInputAnswersConsistently) {
  const int frequencies[] = {10, 30, 40, 51, 52, 53, 54, 55, 56, 57, 60, 61};
  for (int frequency : frequencies) {
    EXPECT_EQ(periodCount(99999999, -99999999, frequency), 0) << frequency;
    EXPECT_GT(periodCount(-99999999, 99999999, frequency), 0) << frequency;
    EXPECT_EQ(periodCount(INT_MIN, INT_MAX, frequency) > 0, true) << frequency;
  }
  std::mt19937 random(7);
  std::uniform_int_distribution<int> any(INT_MIN, INT_MAX);
  for (int trial = 0; trial < 200000; ++trial) {
    int value = any(random), frequency = frequencies[trial % 12];
    ASSERT_EQ(periodCount(value, value, frequency), 1) << value << " at " << frequency;
    int own = periodDateAt(value, 1, frequency);
    if (own != 0) {
      ASSERT_EQ(periodCount(value, own, frequency), 1) << value << " at " << frequency;
    }
  }
}

}  // namespace
