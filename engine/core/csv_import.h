// Turns CSV files into series records. Metadata comes from one CSV with a
// header naming its columns: code, frequency and aggregation are required;
// description, source, units, area, adjustment, base, decimals, magnitude
// and changed (YYYY-MM-DD) are optional. Observations come in the long
// layout (header code,date,value: one row per observation) or the wide one
// (header date,CODE1,CODE2,...: one row per date). Dates are YYYY-MM-DD and
// name the period of the series' frequency that holds them. NA (and, in the
// long layout, an empty value) is a missing observation; an empty cell of
// the wide layout is no observation at all. Every refused row throws an
// InputError with its line.
//
// Values may also come as one binary file of little-endian float64 values
// (NaN for a missing observation), series after series in the order of the
// metadata rows, each row then giving its first value's date (`start`,
// YYYY-MM-DD) and its number of values (`count`). Unlike decimal text,
// this keeps every bit of every value.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "csv_reader.h"
#include "observation_run.h"
#include "series_record.h"

namespace vemro::engine {

class SeriesImport {
 public:
  void readMetadata(const std::string &path);
  void readLong(const std::string &path);
  void readWide(const std::string &path);
  void readValues(const std::string &path);
  // Every series read, in code order, its values running without gaps
  // from its first observed period to its last. Hands the values over:
  // called once, after the last file.
  std::vector<SeriesRecord> takeRecords();

 private:
  struct Series {
    SeriesRecord record;
    ObservationRun run;
  };
  // Where a metadata row places its series' values in a binary file.
  struct ValuesShape {
    std::string code;
    int64_t startDay = 0;
    int64_t count = -1;  // -1: no start and count given
  };

  struct WideRows;

  static ValuesShape valuesShape(const CsvReader &reader, const std::string &code,
                                const std::string &start, const std::string &count);
  Series &described(const std::string &path, long line, const std::string &code);
  void addValue(const std::string &path, long line, Series &series, int64_t period,
                const std::string &date, double value);
  void addWideRows(const std::string &path, WideRows &rows, const std::vector<Series *> &columns);

  std::map<std::string, Series> series_;
  std::vector<ValuesShape> shapes_;  // in the order of the metadata rows
};

}  // namespace vemro::engine
