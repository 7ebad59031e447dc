// Copying and aggregating observations, against values worked out by hand
// for every aggregation type, both modes and each conversion direction.
#include "conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "missing_value.h"
#include "period_run.h"
#include "status.h"

namespace {

using namespace vemro::engine;

const double NA = std::nan("");

struct Series {
  int frequency, firstPeriod, aggregation;
  std::vector<double> values;

  Observations view() const {
    return {frequency, firstPeriod, static_cast<int>(values.size()), aggregation,
            reinterpret_cast<const unsigned char *>(values.data())};
  }
};

std::vector<double> read(const Series &series, int first, int last, int frequency,
                         AggregationMode mode = strictAggregation) {
  std::vector<double> out(static_cast<size_t>(periodCount(first, last, frequency)) + 1, -1.0);
  int result = writeObservations(series.view(), first, last, frequency, mode, out.data());
  EXPECT_EQ(result, status::ok);
  EXPECT_EQ(out.back(), -1.0) << "wrote past the counted periods";
  out.pop_back();
  return out;
}

bool isRNa(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits == missingValueBits;
}

void expectValues(const std::vector<double> &actual, const std::vector<double> &expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    if (std::isnan(expected[i])) {
      EXPECT_TRUE(isRNa(actual[i])) << "position " << i << " is " << actual[i] << ", not NA";
    } else {
      EXPECT_DOUBLE_EQ(actual[i], expected[i]) << "position " << i;
    }
  }
}

TEST(OwnFrequency, CopiesAndMarksUncoveredPeriodsNa) {
  Series monthly{40, 202002, 1, {1, missingValue(), 3}};
  expectValues(read(monthly, 201912, 202006, 40), {NA, NA, 1, NA, 3, NA, NA});
  expectValues(read(monthly, 202003, 202003, 40), {NA});
  expectValues(read(monthly, 202101, 202102, 40), {NA, NA});
  EXPECT_TRUE(read(monthly, 202003, 202002, 40).empty());
}

// Months Feb to Dec 2020 with March missing: Q1 lacks January and March.
const Series monthly2020{40, 202002, 0, {2, NA, 4, 5, 6, 7, 8, 9, 10, 11, 12}};

Series withType(Series series, int type) {
  series.aggregation = type;
  return series;
}

TEST(MonthlyToQuarterly, EachTypeStrict) {
  expectValues(read(withType(monthly2020, 1), 20201, 20204, 30), {NA, 5, 8, 11});
  expectValues(read(withType(monthly2020, 2), 20201, 20204, 30), {NA, 15, 24, 33});
  expectValues(read(withType(monthly2020, 3), 20201, 20204, 30), {NA, 6, 9, 12});
  expectValues(read(withType(monthly2020, 4), 20201, 20204, 30), {NA, 4, 7, 10});
}

TEST(MonthlyToQuarterly, EachTypeRelaxed) {
  auto relaxed = relaxedAggregation;
  expectValues(read(withType(monthly2020, 1), 20194, 20201, 30, relaxed), {NA, 2});
  expectValues(read(withType(monthly2020, 2), 20201, 20202, 30, relaxed), {2, 15});
  expectValues(read(withType(monthly2020, 3), 20201, 20202, 30, relaxed), {2, 6});
  expectValues(read(withType(monthly2020, 4), 20201, 20202, 30, relaxed), {2, 4});
}

TEST(ToAnnual, FromMonthlyAndQuarterly) {
  std::vector<double> months(24);
  for (int i = 0; i < 24; ++i) months[i] = i + 1;  // Jan 2019 .. Dec 2020
  expectValues(read(Series{40, 201901, 2, months}, 2019, 2020, 10), {78, 222});
  expectValues(read(Series{40, 201901, 3, months}, 2018, 2020, 10), {NA, 12, 24});
  Series quarters{30, 20192, 1, {2, 3, 4, 5, 6, 7, 8}};  // Q2 2019 .. Q4 2020
  expectValues(read(quarters, 2019, 2020, 10), {NA, 6.5});
  expectValues(read(quarters, 2019, 2020, 10, relaxedAggregation), {3, 6.5});
}

// Daily values for Wednesday 2020-01-01 .. Monday 2020-02-03: value = day number 1..34.
Series januaryDays(int type) {
  Series series{61, 20200101, type, {}};
  for (int day = 1; day <= 34; ++day) series.values.push_back(day);
  return series;
}

TEST(FromDaily, ToBusinessDaysDropsWeekends) {
  // Friday 3rd, Monday 6th: the weekend 4th and 5th belong to no business day.
  expectValues(read(januaryDays(2), 20200103, 20200106, 60), {3, 6});
  expectValues(read(januaryDays(1), 20200103, 20200106, 60), {3, 6});
}

TEST(FromDaily, ToWeeksEndingSundayAndFriday) {
  // Weeks ending Sunday: 5 Jan holds 1-5 (Mon 30 Dec, Tue 31 Dec missing), 12 Jan holds 6-12.
  expectValues(read(januaryDays(2), 20200105, 20200112, 57), {NA, 63});
  expectValues(read(januaryDays(2), 20200105, 20200112, 57, relaxedAggregation), {15, 63});
  // Weeks ending Friday: 10 Jan holds Sat 4 .. Fri 10.
  expectValues(read(januaryDays(3), 20200110, 20200117, 55), {10, 17});
  expectValues(read(januaryDays(4), 20200110, 20200117, 55), {4, 11});
}

TEST(FromDaily, ToMonthly) {
  expectValues(read(januaryDays(1), 202001, 202002, 40), {16, NA});
  expectValues(read(januaryDays(3), 202001, 202002, 40, relaxedAggregation), {31, 34});
}

TEST(FromBusinessDays, ToWeeksEndingFriday) {
  // Business days Monday 6 Jan .. Friday 17 Jan 2020.
  Series business{60, 20200106, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}};
  expectValues(read(business, 20200110, 20200117, 55), {3, 8});
  business.aggregation = 2;
  // Weeks ending Wednesday: Thu 9 .. Wed 15 holds 4..8; the week ending 8 Jan lacks its start.
  expectValues(read(business, 20200108, 20200115, 53), {NA, 30});
}

TEST(FromWeekly, AWeekCountsInTheMonthOfItsLastDay) {
  // Sundays 5 Jan .. 9 Feb 2020: four weeks end in January, two of February's four.
  Series weekly{57, 20200105, 2, {1, 2, 3, 4, 10, 20}};
  expectValues(read(weekly, 202001, 202002, 40), {10, NA});
  expectValues(read(weekly, 202001, 202002, 40, relaxedAggregation), {10, 30});
}

TEST(FromWeekly, ToAnotherWeekEndTakesTheWeekHoldingEachObservation) {
  Series sundays{57, 20200105, 3, {1, 2, 3}};  // 5, 12, 19 Jan
  // Weeks ending Monday: Sunday 5th falls in the week ending Monday 6th.
  expectValues(read(sundays, 20200106, 20200120, 51), {1, 2, 3});
}

TEST(Refusals, NoWriteForForbiddenOrHigherFrequencies) {
  std::vector<double> out(8, -1.0);
  for (int type : {0, 9, 7}) {
    Series series{40, 202001, type, {1, 2, 3}};
    EXPECT_EQ(writeObservations(series.view(), 2020, 2020, 10, strictAggregation, out.data()),
              status::notAggregatable);
  }
  Series quarterly{30, 20201, 1, {1, 2}};
  EXPECT_EQ(writeObservations(quarterly.view(), 202001, 202003, 40, strictAggregation, out.data()),
            status::higherFrequency);
  Series weekly{57, 20200105, 1, {1, 2}};
  EXPECT_EQ(writeObservations(weekly.view(), 20200106, 20200110, 60, strictAggregation, out.data()),
            status::higherFrequency);
  EXPECT_EQ(writeObservations(quarterly.view(), 2020, 2020, 20, strictAggregation, out.data()),
            status::unlistedFrequency);
  for (double value : out) EXPECT_EQ(value, -1.0);
  // A series that must not be aggregated is still read at its own frequency.
  Series forbidden{40, 202001, 9, {1, 2}};
  expectValues(read(forbidden, 202001, 202002, 40), {1, 2});
}

}  // namespace
