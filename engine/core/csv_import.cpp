#include "csv_import.h"

#include <cmath>

#include "calendar.h"
#include "csv_fields.h"
#include "input_error.h"
#include "utf8_text.h"

namespace vemro::engine {
namespace {

constexpr int64_t maxPeriodsPerSeries = 10'000'000;

const std::vector<std::string> metadataColumns = {
    "code", "frequency",  "aggregation", "description", "source",    "units",
    "area", "adjustment", "base",        "decimals",    "magnitude", "changed"};

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

void requireWidth(const CsvReader &reader, const std::vector<std::string> &row, size_t width) {
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
    if (!series_.emplace(code, std::move(record)).second) {
      throw InputError(path, reader.line(), "series '" + excerptOf(code) + "' is described twice");
    }
  }
}

void SeriesImport::addValue(const CsvReader &reader, const std::string &code,
                            const std::string &date, const std::string &value) {
  auto described = series_.find(code);
  if (described == series_.end()) {
    throw InputError(reader.path(), reader.line(),
                     "series '" + excerptOf(code) + "' has no metadata row");
  }
  int64_t period = indexHoldingDay(parseDay(reader, date), described->second.frequency);
  if (!values_[code].emplace(period, parseValue(reader, value)).second) {
    throw InputError(reader.path(), reader.line(),
                     "a second value for the period of " + date + " in series '" + code + "'");
  }
}

void SeriesImport::readLong(const std::string &path) {
  CsvReader reader(path);
  std::vector<std::string> row;
  if (!reader.next(row) || row != std::vector<std::string>{"code", "date", "value"}) {
    throw InputError(path, 1, "the header must be code,date,value");
  }
  while (reader.next(row)) {
    requireWidth(reader, row, 3);
    addValue(reader, row[0], row[1], row[2]);
  }
}

void SeriesImport::readWide(const std::string &path) {
  CsvReader reader(path);
  std::vector<std::string> header, row;
  if (!reader.next(header) || header.size() < 2 || header[0] != "date") {
    throw InputError(path, 1, "the header must be date followed by series codes");
  }
  while (reader.next(row)) {
    requireWidth(reader, row, header.size());
    for (size_t column = 1; column < row.size(); ++column) {
      if (row[column].empty()) continue;  // no observation; NA marks a missing one
      addValue(reader, header[column], row[0], row[column]);
    }
  }
}

std::vector<SeriesRecord> SeriesImport::records() const {
  std::vector<SeriesRecord> records;
  for (const auto &[code, described] : series_) {
    SeriesRecord record = described;
    auto observed = values_.find(code);
    if (observed != values_.end() && !observed->second.empty()) {
      int64_t first = observed->second.begin()->first, last = observed->second.rbegin()->first;
      if (last - first >= maxPeriodsPerSeries) {
        throw std::runtime_error("series '" + code + "' spans more than 10 million periods");
      }
      record.firstPeriod = static_cast<int>(periodDateOf(first, record.frequency));
      record.values.assign(static_cast<size_t>(last - first + 1), std::nan(""));
      for (const auto &[period, value] : observed->second) record.values[period - first] = value;
    }
    records.push_back(std::move(record));
  }
  return records;
}

}  // namespace vemro::engine
