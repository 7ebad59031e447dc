// Binary values: every bit of every value arrives, and a file whose size or
// contents do not fit its metadata is refused whole.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "csv_import.h"
#include "test_database.h"

namespace {

using namespace vemro::engine;
using namespace vemro::engine::testing;

class ValuesImport : public ::testing::Test {
 protected:
  std::string file(const std::string &name, const std::string &bytes) {
    writeBytes(folder.path(name), bytes);
    return folder.path(name);
  }
  static std::string bytesOf(const std::vector<double> &values) {
    return std::string(reinterpret_cast<const char *>(values.data()), values.size() * 8);
  }
  std::vector<SeriesRecord> imported(const std::string &metadata, const std::string &values) {
    SeriesImport import;
    import.readMetadata(file("meta.csv", metadata));
    import.readValues(file("values.f64", values));
    return import.takeRecords();
  }
  std::string refusal(const std::string &metadata, const std::string &values) {
    try {
      imported(metadata, values);
    } catch (const std::runtime_error &error) {
      return error.what();
    }
    return "accepted";
  }

  ScratchFolder folder;
  const std::string metadata =
      "code,frequency,aggregation,start,count\n"
      "M,40,1,2020-01-15,3\n"
      "A,10,2,1999-06-30,2\n";
};

uint64_t bitsOf(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

TEST_F(ValuesImport, EveryBitArrivesInMetadataOrder) {
  double tiny = std::numeric_limits<double>::denorm_min();
  double big = std::numeric_limits<double>::max();
  std::vector<double> values = {0.1 + 0.2, tiny, -big, 3.141592653589793, std::nan("")};
  auto records = imported(metadata, bytesOf(values));
  ASSERT_EQ(records.size(), 2u);  // code order: A, M
  EXPECT_EQ(records[0].code, "A");
  EXPECT_EQ(records[0].firstPeriod, 1999);
  ASSERT_EQ(records[0].values.size(), 2u);
  EXPECT_EQ(bitsOf(records[0].values[0]), bitsOf(3.141592653589793));
  EXPECT_TRUE(std::isnan(records[0].values[1]));
  EXPECT_EQ(records[1].firstPeriod, 202001);
  ASSERT_EQ(records[1].values.size(), 3u);
  EXPECT_EQ(bitsOf(records[1].values[0]), bitsOf(0.1 + 0.2));
  EXPECT_EQ(bitsOf(records[1].values[1]), bitsOf(tiny));
  EXPECT_EQ(bitsOf(records[1].values[2]), bitsOf(-big));
}

TEST_F(ValuesImport, AFileThatDoesNotFitItsMetadataIsRefused) {
  std::string five = bytesOf({1, 2, 3, 4, 5});
  EXPECT_NE(refusal(metadata, five.substr(0, 32)).find("holds 32 bytes where the metadata's counts "
                                                       "ask for 40"),
            std::string::npos);
  EXPECT_NE(refusal(metadata, five + "x").find("holds 41 bytes"), std::string::npos);
  EXPECT_NE(refusal("code,frequency,aggregation\nM,40,1\n", "").find(
                "series 'M' has no start and count"),
            std::string::npos);
  EXPECT_NE(refusal(metadata, bytesOf({1, HUGE_VAL, 3, 4, 5})).find(
                "value 2 of series 'M' is infinite"),
            std::string::npos);
  EXPECT_EQ(refusal("code,frequency,aggregation,start,count\nD,61,1,9999-12-30,3\n",
                    bytesOf({1, 2, 3})),
            folder.path("values.f64") + ": series 'D' runs past 9999-12-31");
  EXPECT_EQ(imported("code,frequency,aggregation,start,count\nD,61,1,9999-12-30,2\n",
                     bytesOf({1, 2}))[0].values.size(),
            2u);
  EXPECT_NE(refusal("code,frequency,aggregation,start,count\nM,40,1,2020-01-31,\n", "")
                .find("'start' and 'count' go together"),
            std::string::npos);
  EXPECT_NE(refusal("code,frequency,aggregation,start,count\nM,40,1,2020-01-31,-1\n", "")
                .find("'count' must be 0 to 10 million"),
            std::string::npos);
}

}  // namespace
