#include "csv_import.h"

#include <cmath>
#include <set>

#include "calendar.h"
#include "csv_fields.h"
#include "input_error.h"
#include "utf8_text.h"

namespace vemro::engine {
namespace {

const std::vector<std::string> metadataColumns = {
    "code", "frequency",  "aggregation", "description", "source",    "units",
    "area", "adjustment", "base",        "decimals",    "magnitude", "changed",
    "start", "count"};

std::map<std::string, size_t> columnsOf(const CsvReader &reader,
                                        const std::vector<std::string> &header) {
  std::map<std::string, size_t> columns;
  for (size_t i = 0; i < header.size(); ++i) {
    bool known = false;
    for (const std::string &name : metadataColumns) known = known || name == header[i];
    if (!known)
      throw InputError(reader.path(), reader.line(),
                       "unknown column '" + excerptOf(header[i]) + "'");
    if (!columns.emplace(header[i], i).second) {
      throw InputError(reader.path(), reader.line(),
                       "column '" + excerptOf(header[i]) + "' appears twice");
    }
  }
  for (const char *required : {"code", "frequency", "aggregation"}) {
    if (!columns.count(required)) {
      throw InputError(reader.path(), reader.line(), std::string("no '") + required + "' column");
    }
  }
  return columns;
}

SeriesRecord metadataRow(const CsvReader &reader, const std::map<std::string, size_t> &columns,
                         const std::vector<std::string> &row) {
  auto field = [&](const char *name) -> std::string {
    auto found = columns.find(name);
    return found == columns.end() ? std::string() : row[found->second];
  };
  SeriesRecord record;
  record.code = field("code");
  record.frequency = parseInteger(reader, "frequency", field("frequency"));
  record.aggregation = parseInteger(reader, "aggregation", field("aggregation"));
  record.description = field("description");
  record.source = field("source");
  record.units = field("units");
  record.area = field("area");
  record.adjustment = field("adjustment");
  record.base = field("base");
  if (!field("decimals").empty())
    record.decimals = parseInteger(reader, "decimals", field("decimals"));
  if (!field("magnitude").empty())
    record.magnitude = parseInteger(reader, "magnitude", field("magnitude"));
  if (!field("changed").empty()) record.changed = parseDateNumber(reader, field("changed"));
  std::string problem = problemWith(record);
  if (!problem.empty()) throw InputError(reader.path(), reader.line(), problem);
  return record;
}

std::string fieldOf(const std::map<std::string, size_t> &columns,
                    const std::vector<std::string> &row, const char *name) {
  auto found = columns.find(name);
  return found == columns.end() ? std::string() : row[found->second];
}

void requireWidth(const CsvReader &reader, const std::vector<std::string> &row, size_t width) {
  if (row.size() == 1 && row[0].empty() && width > 1) {
    throw InputError(reader.path(), reader.line(),
                     "an empty line where the header has " + std::to_string(width) + " fields");
  }
  if (row.size() != width) {
    throw InputError(
        reader.path(), reader.line(),
        std::to_string(row.size()) + " fields where the header has " + std::to_string(width));
  }
}

}  // namespace

void SeriesImport::readMetadata(const std::string &path) {
  CsvReader reader(path);
  std::vector<std::string> row;
  if (!reader.next(row)) throw InputError(path, 1, "no header line");
  std::map<std::string, size_t> columns = columnsOf(reader, row);
  size_t width = row.size();
  while (reader.next(row)) {
    requireWidth(reader, row, width);
    SeriesRecord record = metadataRow(reader, columns, row);
    std::string code = record.code;
    if (!series_.emplace(code, Series{std::move(record), {}}).second) {
      throw InputError(path, reader.line(), "series '" + excerptOf(code) + "' is described twice");
    }
    shapes_.push_back(valuesShape(reader, code, fieldOf(columns, row, "start"),
                                  fieldOf(columns, row, "count")));
  }
}

SeriesImport::ValuesShape SeriesImport::valuesShape(const CsvReader &reader,
                                                    const std::string &code,
                                                    const std::string &start,
                                                    const std::string &count) {
  ValuesShape shape{code};
  if (start.empty() != count.empty())
    throw InputError(reader.path(), reader.line(), "'start' and 'count' go together");
  if (start.empty()) return shape;
  shape.startDay = parseDay(reader, start);
  shape.count = parseInteger(reader, "count", count);
  if (shape.count < 0 || shape.count > maxPeriodsPerSeries)
    throw InputError(reader.path(), reader.line(), "'count' must be 0 to 10 million");
  return shape;
}

SeriesImport::Series &SeriesImport::described(const std::string &path, long line,
                                              const std::string &code) {
  auto found = series_.find(code);
  if (found == series_.end())
    throw InputError(path, line, "series '" + excerptOf(code) + "' has no metadata row");
  return found->second;
}

void SeriesImport::addValue(const std::string &path, long line, Series &series, int64_t period,
                            const std::string &date, double value) {
  switch (series.run.add(period, value)) {
    case ObservationRun::Added::yes:
      return;
    case ObservationRun::Added::duplicate:
      throw InputError(path, line,
                       "a second value for the period of " + excerptOf(date) + " in series '" +
                           series.record.code + "'");
    case ObservationRun::Added::tooLong:
      throw InputError(path, line,
                       "series '" + series.record.code + "' spans more than 10 million periods");
  }
}

// Long files hold each series' rows together, so the last series and the
// last date are remembered rather than looked up again for every value.
void SeriesImport::readLong(const std::string &path) {
  CsvReader reader(path);
  std::vector<std::string> row;
  if (!reader.next(row) || row != std::vector<std::string>{"code", "date", "value"}) {
    throw InputError(path, 1, "the header must be code,date,value");
  }
  Series *series = nullptr;
  std::string date;
  int64_t day = 0;
  while (reader.next(row)) {
    requireWidth(reader, row, 3);
    if (series == nullptr || series->record.code != row[0])
      series = &described(path, reader.line(), row[0]);
    if (row[1] != date) {
      day = parseDay(reader, row[1]);
      date = row[1];
    }
    addValue(path, reader.line(), *series, indexHoldingDay(day, series->record.frequency), row[1],
             parseValue(reader, row[2]));
  }
}

// Rows of a wide file, parsed and held until a block of them is added
// column by column: a row holds one value of every series, and adding a
// block down each column touches each series once per block, not once per
// row, which keeps a file of thousands of series fast.
struct SeriesImport::WideRows {
  static constexpr size_t capacity = 64;
  explicit WideRows(size_t width)
      : width(width), values(capacity * width), filled(capacity * width) {}

  size_t width;
  std::vector<double> values;   // row-major
  std::vector<uint8_t> filled;  // 0 for an empty cell: no observation
  int64_t days[capacity] = {};
  long lines[capacity] = {};
  std::string dates[capacity];
  size_t count = 0;
};

void SeriesImport::readWide(const std::string &path) {
  CsvReader reader(path);
  std::vector<std::string> header, row;
  if (!reader.next(header) || header.size() < 2 || header[0] != "date") {
    throw InputError(path, 1, "the header must be date followed by series codes");
  }
  // Every column names a described series, once: a column whose cells are
  // all empty would otherwise pass unnoticed, and a second one would merge.
  std::vector<Series *> columns;
  std::set<std::string> named;
  for (size_t column = 1; column < header.size(); ++column) {
    if (!named.insert(header[column]).second) {
      throw InputError(path, 1, "series '" + excerptOf(header[column]) + "' has two columns");
    }
    columns.push_back(&described(path, 1, header[column]));
  }
  WideRows rows(header.size() - 1);
  while (reader.next(row)) {
    requireWidth(reader, row, header.size());
    size_t r = rows.count;
    bool any = false;
    for (size_t column = 1; column < row.size(); ++column) {
      size_t cell = r * rows.width + column - 1;
      rows.filled[cell] = !row[column].empty();  // NA marks a missing observation
      if (row[column].empty()) continue;
      rows.values[cell] = parseValue(reader, row[column]);
      any = true;
    }
    if (!any) continue;
    rows.days[r] = parseDay(reader, row[0]);
    rows.lines[r] = reader.line();
    rows.dates[r] = row[0];
    if (++rows.count == WideRows::capacity) addWideRows(path, rows, columns);
  }
  addWideRows(path, rows, columns);
}

void SeriesImport::addWideRows(const std::string &path, WideRows &rows,
                               const std::vector<Series *> &columns) {
  // The period holding each row's day, per frequency met in the block.
  std::map<int, std::vector<int64_t>> periods;
  auto periodsOf = [&](int frequency) -> const std::vector<int64_t> & {
    auto found = periods.find(frequency);
    if (found != periods.end()) return found->second;
    std::vector<int64_t> &held = periods[frequency];
    for (size_t r = 0; r < rows.count; ++r)
      held.push_back(indexHoldingDay(rows.days[r], frequency));
    return held;
  };
  for (size_t column = 0; column < rows.width; ++column) {
    for (size_t r = 0; r < rows.count; ++r) {
      size_t cell = r * rows.width + column;
      if (!rows.filled[cell]) continue;
      Series *series = columns[column];
      addValue(path, rows.lines[r], *series, periodsOf(series->record.frequency)[r], rows.dates[r],
               rows.values[cell]);
    }
  }
  rows.count = 0;
}

std::vector<SeriesRecord> SeriesImport::takeRecords() {
  std::vector<SeriesRecord> records;
  for (auto &[code, series] : series_) {
    SeriesRecord record = series.record;
    if (!series.run.empty()) {
      record.firstPeriod = static_cast<int>(periodDateOf(series.run.first(), record.frequency));
      record.values = series.run.takeValues();
    }
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace vemro::engine
