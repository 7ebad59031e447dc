// The shared library through its exported functions, on files written by
// the engine's writer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "qvbapi.h"
#include "test_database.h"

namespace {

using namespace vemro::engine;
using namespace vemro::engine::testing;

class LibraryApi : public ::testing::Test {
 protected:
  void SetUp() override {
    SeriesRecord prices = monthlySeries("PRICES", 202001, {1, 2, 3, 4, 5, 6});
    prices.description = std::string(79, 'x') + "\xC3\xA9\xC3\xA9";  // é é cross the 81-byte cut
    prices.units = "index";
    prices.source = "Test office";
    prices.changed = 20240131;
    prices.decimals = 1;
    prices.magnitude = 3;
    SeriesRecord fixed = monthlySeries("FIXED", 202001, {7, 8, 9});
    fixed.aggregation = 9;
    SeriesRecord empty = monthlySeries("EMPTY", 0, {});
    writeDatabase(folder.path("test.vdb"), {prices, fixed, empty});
    name = folder.path("test");
    ASSERT_EQ(QVBOpenDatabase(name.c_str()), 0);
  }
  void TearDown() override { QVBCloseDatabase(); }

  ScratchFolder folder;
  std::string name;
};

TEST_F(LibraryApi, InfoFillsTheRecordAndCutsTextsOnWholeCharacters) {
  SeriesInfo info;
  std::memset(&info, 0x55, sizeof info);
  ASSERT_EQ(QVBGetInfo(nullptr, "PRICES", &info), 0);
  EXPECT_STREQ(info.code, "PRICES");
  int first = info.firstPeriod, last = info.lastPeriod, count = info.attrA;
  int frequency = info.frequency, changed = info.attrB, decimals = info.attrC;
  int magnitude = info.attrD, missing = info.attrE, aggregation = info.attrF;
  EXPECT_EQ(first, 202001);
  EXPECT_EQ(last, 202006);
  EXPECT_EQ(count, 6);
  EXPECT_EQ(frequency, 40);
  EXPECT_EQ(changed, 20240131);
  EXPECT_EQ(decimals, 1);
  EXPECT_EQ(magnitude, 3);
  EXPECT_EQ(missing, 0);
  EXPECT_EQ(aggregation, 1);
  EXPECT_STREQ(info.textA, "index");
  EXPECT_EQ(std::string(info.textD), std::string(79, 'x') + "\xC3\xA9");  // 81 bytes + NUL
  EXPECT_STREQ(info.textF, "Test office");
}

TEST_F(LibraryApi, InfoWithANameOpensThatDatabase) {
  QVBCloseDatabase();
  SeriesInfo info;
  EXPECT_EQ(QVBGetInfo(nullptr, "PRICES", &info), 1);
  EXPECT_EQ(QVBGetInfo(name.c_str(), "PRICES", &info), 0);
  EXPECT_EQ(QVBGetInfo(nullptr, "PRICES", &info), 0) << "the named database stays open";
  EXPECT_EQ(QVBGetInfo(nullptr, "NOSUCH", &info), 2);
}

TEST_F(LibraryApi, DataWritesExactlyTheCountedPeriods) {
  std::vector<double> out(QVBGetObsNum(201912, 202002, 40) + 1, -1.0);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(QVBGetData(name.c_str(), "PRICES", 201912, 202002, 40, out.data()), 0);
  EXPECT_TRUE(std::isnan(out[0]));
  EXPECT_EQ(out[1], 1);
  EXPECT_EQ(out[2], 2);
  EXPECT_EQ(out[3], -1.0);
  EXPECT_EQ(QVBGetData(nullptr, "PRICES", 20201, 20202, 30, out.data()), 0);
  EXPECT_EQ(out[0], 2);
  EXPECT_EQ(out[1], 5);
}

TEST_F(LibraryApi, DataRefusalsLeaveTheOutputAlone) {
  std::vector<double> out(4, -1.0);
  EXPECT_EQ(QVBGetData(nullptr, "FIXED", 2020, 2020, 10, out.data()), 21);
  EXPECT_EQ(QVBGetData(nullptr, "PRICES", 20200101, 20200102, 61, out.data()), 22);
  EXPECT_EQ(QVBGetData(nullptr, "NOSUCH", 202001, 202002, 40, out.data()), 2);
  EXPECT_EQ(QVBGetData(nullptr, "PRICES", 202001, 202002, 40, nullptr), 25);
  for (double value : out) EXPECT_EQ(value, -1.0);
}

TEST_F(LibraryApi, ListingRunsInCodeOrderThenEnds) {
  SeriesInfo info;
  std::vector<std::string> codes;
  int result = QVBGetNextVar(name.c_str(), nullptr, &info);
  while (result == 0) {
    codes.emplace_back(info.code);
    std::string previous = info.code;
    result = QVBGetNextVar(nullptr, previous.c_str(), &info);
  }
  EXPECT_EQ(result, 24);
  EXPECT_EQ(codes, (std::vector<std::string>{"EMPTY", "FIXED", "PRICES"}));
}

TEST_F(LibraryApi, ListingTakesTheFilledRecordsOwnCodeAsThePreviousOne) {
  SeriesInfo info;
  std::vector<std::string> codes;
  for (int result = QVBGetNextVar(name.c_str(), nullptr, &info); result == 0;
       result = QVBGetNextVar(nullptr, info.code, &info)) {
    codes.emplace_back(info.code);
  }
  EXPECT_EQ(codes, (std::vector<std::string>{"EMPTY", "FIXED", "PRICES"}));
}

TEST_F(LibraryApi, OpenFailuresLeaveNoDatabaseOpen) {
  EXPECT_EQ(QVBOpenDatabase(folder.path("missing").c_str()), 1);
  SeriesInfo info;
  EXPECT_EQ(QVBGetInfo(nullptr, "PRICES", &info), 1);
  EXPECT_EQ(QVBOpenDatabase(nullptr), 1);
  EXPECT_EQ(QVBCloseDatabase(), 0);
  EXPECT_EQ(QVBCloseDatabase(), 0) << "closing with nothing open is harmless";
  EXPECT_EQ(QVBOpenDatabase(folder.path("test.vdb").c_str()), 0) << "the name with its extension";
}

uint64_t bitsOf(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

TEST_F(LibraryApi, GapsAndUncoveredPeriodsReadAsRsNaBitPattern) {
  SeriesRecord gappy = monthlySeries("GAPPY", 202001, {1, std::nan(""), 3});
  writeDatabase(folder.path("gaps.vdb"), {gappy});
  std::vector<double> out(5, 0.0);
  ASSERT_EQ(QVBGetData(folder.path("gaps").c_str(), "GAPPY", 201912, 202004, 40, out.data()), 0);
  for (size_t i : {0u, 2u, 4u}) EXPECT_EQ(bitsOf(out[i]), 0x7FF00000000007A2ULL) << i;
  EXPECT_EQ(out[1], 1);
  EXPECT_EQ(out[3], 3);
}

TEST_F(LibraryApi, CallsWithoutAnOpenDatabaseOrWithOneThatFailsToOpenGiveStatus1) {
  QVBCloseDatabase();
  SeriesInfo info;
  std::vector<double> out(2, -1.0);
  EXPECT_EQ(QVBGetInfo(nullptr, "PRICES", &info), 1);
  EXPECT_EQ(QVBGetData(nullptr, "PRICES", 202001, 202002, 40, out.data()), 1);
  EXPECT_EQ(QVBGetNextVar(nullptr, nullptr, &info), 1);
  EXPECT_EQ(QVBGetNextVar(nullptr, "EMPTY", &info), 1);
  std::string missing = folder.path("missing");
  EXPECT_EQ(QVBGetInfo(missing.c_str(), "PRICES", &info), 1);
  EXPECT_EQ(QVBGetData(missing.c_str(), "PRICES", 202001, 202002, 40, out.data()), 1);
  EXPECT_EQ(QVBGetNextVar(missing.c_str(), nullptr, &info), 1);
  EXPECT_EQ(out, std::vector<double>(2, -1.0));
  ASSERT_EQ(QVBOpenDatabase(name.c_str()), 0);
  EXPECT_EQ(QVBGetInfo(missing.c_str(), "PRICES", &info), 1);
  EXPECT_EQ(QVBGetInfo(nullptr, "PRICES", &info), 1) << "a failed open leaves none open";
}

TEST_F(LibraryApi, ACallNamingAnotherDatabaseSwitchesToIt) {
  writeDatabase(folder.path("other.vdb"), {monthlySeries("PRICES", 202001, {70, 80})});
  std::string other = folder.path("other");
  std::vector<double> out(2, 0.0);
  ASSERT_EQ(QVBGetData(other.c_str(), "PRICES", 202001, 202002, 40, out.data()), 0);
  EXPECT_EQ(out, (std::vector<double>{70, 80}));
  SeriesInfo info;
  EXPECT_EQ(QVBGetInfo(nullptr, "FIXED", &info), 2) << "the other database stays open";
  ASSERT_EQ(QVBGetData(name.c_str(), "PRICES", 202001, 202002, 40, out.data()), 0);
  EXPECT_EQ(out, (std::vector<double>{1, 2}));
}

TEST(LibrarySettings, MergeDataAndAggregationModesAreKept) {
  EXPECT_NE(QVBSetMergeData(3), -1);
  EXPECT_EQ(QVBGetMergeData(), 3);
  EXPECT_NE(QVBSetMergeData(0), -1);
  EXPECT_EQ(QVBGetMergeData(), 0);
  EXPECT_EQ(QVBSetMergeData(2), -1);
  EXPECT_EQ(QVBGetMergeData(), 0);
  QVBSetMergeData(1);
  EXPECT_EQ(QVBSetAggregationMode(1), 1);
  EXPECT_EQ(QVBGetAggregationMode(), 1);
  EXPECT_EQ(QVBSetAggregationMode(5), -1);
  EXPECT_EQ(QVBGetAggregationMode(), 1);
  EXPECT_EQ(QVBSetAggregationMode(0), 0);
  EXPECT_EQ(QVBGetAggregationMode(), 0);
}

TEST(LibraryCalendar, AnswersWithoutADatabase) {
  EXPECT_EQ(QVBGetObsNum(20201, 20214, 30), 8);
  EXPECT_EQ(QVBGetObsNum(99999999, -99999999, 61), 0);
  EXPECT_EQ(QVBGetDate(20201, 8, 30), 20214);
}

}  // namespace
