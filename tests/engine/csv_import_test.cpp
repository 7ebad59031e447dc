// CSV import: both layouts give the same series, and every refused row is
// named by file, line and reason.
#include "csv_import.h"

#include <gtest/gtest.h>

#include <cmath>

#include "input_error.h"
#include "test_database.h"

namespace {

using namespace vemro::engine;
using namespace vemro::engine::testing;

class CsvImport : public ::testing::Test {
 protected:
  std::string file(const std::string &name, const std::string &text) {
    writeBytes(folder.path(name), text);
    return folder.path(name);
  }
  std::string refusal(const std::string &metadata, const std::string &longData) {
    SeriesImport import;
    try {
      import.readMetadata(file("meta.csv", metadata));
      import.readLong(file("data.csv", longData));
    } catch (const InputError &error) {
      return error.what();
    }
    return "accepted";
  }

  ScratchFolder folder;
  const std::string metadata =
      "code,frequency,aggregation,description\n"
      "W,57,2,\"Weekly, ending Sunday\"\n"
      "Q,30,1,Quarterly\n";
};

TEST_F(CsvImport, LongAndWideLayoutsGiveTheSameSeries) {
  SeriesImport fromLong, fromWide;
  fromLong.readMetadata(file("meta.csv", metadata));
  fromLong.readLong(file("long.csv",
                         "code,date,value\nW,2020-01-01,1\nW,2020-01-08,NA\nW,2020-01-16,3\n"
                         "Q,2020-02-10,5\n"));
  fromWide.readMetadata(file("meta.csv", metadata));
  fromWide.readWide(file("wide.csv",
                         "date,W,Q\n2020-01-01,1,\n2020-01-08,NA,\n2020-01-16,3,\n"
                         "2020-02-10,,5\n"));
  for (const auto &records : {fromLong.records(), fromWide.records()}) {
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].code, "Q");
    EXPECT_EQ(records[0].firstPeriod, 20201);
    EXPECT_EQ(records[0].values, std::vector<double>{5});
    EXPECT_EQ(records[1].code, "W");
    EXPECT_EQ(records[1].description, "Weekly, ending Sunday");
    EXPECT_EQ(records[1].firstPeriod, 20200105);  // the Sunday ending the week of 1 Jan
    ASSERT_EQ(records[1].values.size(), 3u);      // weeks ending 5, 12 and 19 Jan
    EXPECT_EQ(records[1].values[0], 1);
    EXPECT_TRUE(std::isnan(records[1].values[1]));
    EXPECT_EQ(records[1].values[2], 3);
  }
}

TEST_F(CsvImport, BadRowsAreRefusedWithFileLineAndReason) {
  std::string data = folder.path("data.csv"), meta = folder.path("meta.csv");
  EXPECT_EQ(refusal(metadata, "code,date,value\nQ,2020-02-30,1\n"),
            data + ":2: date '2020-02-30' does not exist");
  EXPECT_EQ(refusal(metadata, "code,date,value\nQ,2020-01-01,1\nQ,2020-03-31,2\n"),
            data + ":3: a second value for the period of 2020-03-31 in series 'Q'");
  EXPECT_EQ(refusal(metadata, "code,date,value\nQ,2020-01-01,1e400\n"),
            data + ":2: value '1e400' is not a finite number");
  EXPECT_EQ(refusal(metadata, "code,date,value\nX,2020-01-01,1\n"),
            data + ":2: series 'X' has no metadata row");
  EXPECT_EQ(refusal(metadata, "code,date,value\nQ,2020-01-01\n"),
            data + ":2: 2 fields where the header has 3");
  EXPECT_EQ(refusal(metadata + "LONGCODE10,40,1,x\n", "code,date,value\n"),
            meta + ":4: series code 'LONGCODE10' is longer than 9 characters");
  EXPECT_EQ(refusal(metadata + "M,45,1,x\n", "code,date,value\n"),
            meta + ":4: frequency 45 is not a listed frequency code");
  EXPECT_EQ(refusal(metadata + "M,40,1,\"open\n", "code,date,value\n"),
            meta + ":4: unterminated quoted field");
  EXPECT_EQ(refusal(metadata + "M,40,1,\"\xC3\x28\"\n", "code,date,value\n"),
            meta + ":4: a text is not valid UTF-8");
}

}  // namespace
