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
  for (const auto &records : {fromLong.takeRecords(), fromWide.takeRecords()}) {
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
  EXPECT_EQ(refusal(metadata, "code,date,value\nQ,0000-03-31,1\n"),
            data + ":2: date '0000-03-31' is outside the years 1 to 9999");
  EXPECT_EQ(refusal(metadata, "code,date,value\nQ,2020-01-01,1\nQ,2020-03-31,2\n"),
            data + ":3: a second value for the period of 2020-03-31 in series 'Q'");
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
            meta + ":4: the description is not valid UTF-8");
}

TEST_F(CsvImport, ValuesArePlainDecimalsThatADoubleHoldsAsWritten) {
  std::string data = folder.path("data.csv");
  for (std::string value : {"0x10", "0x1p3", "inf", "-inf", "Infinity", "nan", "NaN", "-nan", " 1",
                            "1 ", "1,5", "1e", "--1", "+-1", "-", ".", "1.2.3", "1d3"}) {
    std::string row = value.find(',') == std::string::npos ? value : "\"" + value + "\"";
    EXPECT_EQ(refusal(metadata, "code,date,value\nQ,2020-01-01," + row + "\n"),
              data + ":2: value '" + value + "' is not a plain decimal number");
  }
  for (std::string value : {"1e999", "-1e999", "1e-999", "-2e-324", "1.8e308"}) {
    EXPECT_EQ(refusal(metadata, "code,date,value\nQ,2020-01-01," + value + "\n"),
              data + ":2: value '" + value + "' is out of the range of a double");
  }
  SeriesImport import;
  import.readMetadata(file("meta.csv", metadata));
  import.readWide(file("wide.csv",
                       "date,Q\n2020-01-01,+1.5\n2020-04-01,-.5\n2020-07-01,5.\n"
                       "2020-10-01,1E3\n2021-01-01,0e-999\n2021-04-01,4.9e-324\n"
                       "2021-07-01,1.7976931348623157e308\n"));
  std::vector<double> expected = {1.5, -0.5, 5, 1000, 0, 4.9e-324, 1.7976931348623157e308};
  EXPECT_EQ(import.takeRecords()[0].values, expected);
}

TEST_F(CsvImport, ABadFieldIsQuotedCutToAReadableLength) {
  std::string data = folder.path("data.csv"), meta = folder.path("meta.csv");
  // Control bytes would act on the terminal; a stray byte could not be shown.
  EXPECT_EQ(refusal(metadata, "code,date,value\nQ,2020-01-01,1\x1b[2J\xff\n"),
            data + ":2: value '1\\x1B[2J\\xFF' is not a plain decimal number");
  std::string longValue = std::string(38, '7') + "\xC3\xA9" + std::string(500, 'x');
  EXPECT_EQ(
      refusal(metadata, "code,date,value\nQ,2020-01-01," + longValue + "\n"),
      data + ":2: value '" + std::string(38, '7') + "\xC3\xA9...' is not a plain decimal number");
  std::string cutInside = std::string(39, '7') + "\xC3\xA9" + std::string(500, 'x');
  EXPECT_EQ(refusal(metadata, "code,date,value\nQ,2020-01-01," + cutInside + "\n"),
            data + ":2: value '" + std::string(39, '7') + "...' is not a plain decimal number");
  EXPECT_EQ(refusal(metadata, "code,date,value\n" + std::string(1000, 'C') + ",2020-01-01,1\n"),
            data + ":2: series '" + std::string(40, 'C') + "...' has no metadata row");
  EXPECT_EQ(refusal(metadata + std::string(100, 'M') + ",40,1,x\n", "code,date,value\n"),
            meta + ":4: series code '" + std::string(40, 'M') + "...' is longer than 9 characters");
}

TEST_F(CsvImport, RowsWiderOrNarrowerThanTheHeaderAreRefused) {
  std::string data = folder.path("data.csv"), meta = folder.path("meta.csv");
  EXPECT_EQ(refusal(metadata, "code,date,value\nQ,2020-01-01,1\n\n"),
            data + ":3: an empty line where the header has 3 fields");
  EXPECT_EQ(refusal(metadata, "code,date,value\nQ,2020-01-01,\"1\"x\n"),
            data + ":2: field 3 has text after its closing quote");
  EXPECT_EQ(refusal(metadata, "code,date,value\nQ,2020-01-01,1,2\n"),
            data + ":2: 4 fields where the header has 3");
  EXPECT_EQ(refusal(metadata + "M,40,1,x,extra\n", "code,date,value\n"),
            meta + ":4: 5 fields where the header has 4");
  SeriesImport import;
  import.readMetadata(file("meta.csv", metadata));
  EXPECT_THROW(import.readWide(file("wide.csv", "date,Q\n2020-01-01,1,\n")), InputError);
}

TEST_F(CsvImport, EveryColumnOfAWideHeaderNamesADescribedSeriesOnce) {
  std::string wide = folder.path("wide.csv");
  auto wideRefusal = [&](const std::string &text) {
    SeriesImport import;
    import.readMetadata(file("meta.csv", metadata));
    try {
      import.readWide(file("wide.csv", text));
    } catch (const InputError &error) {
      return std::string(error.what());
    }
    return std::string("accepted");
  };
  // Even a column without a value, and even with the file holding no row.
  EXPECT_EQ(wideRefusal("date,Q,Y\n2020-03-31,1,\n"), wide + ":1: series 'Y' has no metadata row");
  EXPECT_EQ(wideRefusal("date,Y\n"), wide + ":1: series 'Y' has no metadata row");
  EXPECT_EQ(wideRefusal("date,Q, W\n"), wide + ":1: series ' W' has no metadata row");
  EXPECT_EQ(wideRefusal("date,Q,\n"), wide + ":1: series '' has no metadata row");
  EXPECT_EQ(wideRefusal("date,Q,Q\n2020-03-31,1,\n2020-06-30,,2\n"),
            wide + ":1: series 'Q' has two columns");
  EXPECT_EQ(wideRefusal("date,Q,W\n2020-03-31,1,\n"), "accepted");
}

TEST_F(CsvImport, AByteOrderMarkIsSkippedAndANulByteRefused) {
  SeriesImport import;
  import.readMetadata(file("meta.csv", "\xEF\xBB\xBF" + metadata));
  import.readLong(file("long.csv",
                       "\xEF\xBB\xBF"
                       "code,date,value\nQ,2020-01-01,2\n"));
  std::vector<SeriesRecord> records = import.takeRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].values, std::vector<double>{2});

  std::string data = folder.path("data.csv"), meta = folder.path("meta.csv");
  EXPECT_EQ(refusal(metadata, std::string("code,date,value\nQ,2020-01-01,1\0\n", 31)),
            data + ":2: field 3 contains a NUL byte");
  EXPECT_EQ(refusal(metadata + std::string("M,40,1,\"a\0b\"\n", 14), "code,date,value\n"),
            meta + ":4: field 4 contains a NUL byte");
  EXPECT_EQ(refusal(metadata,
                    "\xEF\xBB"
                    "code,date,value\n"),
            data + ":1: the header must be code,date,value");
}

TEST_F(CsvImport, MetadataIntegersAreWholeDecimalNumbers) {
  std::string meta = folder.path("meta.csv");
  for (std::string frequency : {" 40", "40 ", "0x28", "40.0", "4e1"}) {
    EXPECT_EQ(refusal(metadata + "M," + frequency + ",1,x\n", "code,date,value\n"),
              meta + ":4: frequency '" + frequency + "' is not an integer");
  }
  EXPECT_EQ(refusal(metadata + "M,99999999999,1,x\n", "code,date,value\n"),
            meta + ":4: frequency '99999999999' is beyond the 32-bit integers");
  EXPECT_EQ(refusal(metadata + "M,+40,1,x\n", "code,date,value\n"), "accepted");
}

}  // namespace
