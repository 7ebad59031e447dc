// export, list and show.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "commands.h"
#include "database_reading.h"
#include "period_run.h"
#include "status.h"

namespace vemro::tool {
namespace {

std::string quoted(const std::string &text) {
  std::string out = "\"";
  for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

std::string valueText(double value) {
  if (std::isnan(value)) return "NA";
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string changedText(int changed) {
  if (changed == 0) return "";
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", changed / 10000, changed / 100 % 100,
                changed % 100);
  return text;
}

void writeMetadataRow(std::ostream &out, const engine::SeriesRecord &r) {
  out << r.code << ',' << r.frequency << ',' << r.aggregation << ',' << quoted(r.description) << ','
      << quoted(r.source) << ',' << quoted(r.units) << ',' << quoted(r.area) << ','
      << quoted(r.adjustment) << ',' << quoted(r.base) << ',' << r.decimals << ',' << r.magnitude
      << ',' << changedText(r.changed) << '\n';
}

void writeObservationRows(std::ostream &out, const engine::SeriesRecord &r) {
  for (size_t i = 0; i < r.values.size(); ++i) {
    int period = engine::periodDateAt(r.firstPeriod, static_cast<int>(i) + 1, r.frequency);
    out << r.code << ',' << periodEndText(period, r.frequency) << ',' << valueText(r.values[i])
        << '\n';
  }
}

std::ofstream createOutput(const std::string &path) {
  std::ofstream out(path, std::ios::binary);
  if (!out) throw std::runtime_error("cannot write '" + path + "'");
  return out;
}

}  // namespace

void exportSeries(const Arguments &args) {
  if (args.size() != 3) throw std::runtime_error("expects DB META.csv DATA.csv");
  auto database = openForReading(args[0]);
  std::ofstream metadata = createOutput(args[1]), data = createOutput(args[2]);
  metadata << "code,frequency,aggregation,description,source,units,area,adjustment,base,"
              "decimals,magnitude,changed\n";
  data << "code,date,value\n";
  forEachSeries(*database, [&](const engine::SeriesRecord &record) {
    writeMetadataRow(metadata, record);
    writeObservationRows(data, record);
  });
  if (!metadata.flush() || !data.flush()) throw std::runtime_error("writing the export failed");
}

void listCodes(const Arguments &args) {
  if (args.size() != 1) throw std::runtime_error("expects one database name");
  auto database = openForReading(args[0]);
  SeriesInfo info;
  for (const char *previous = nullptr;; previous = info.code) {
    int found = database->next(previous, info);
    if (found == engine::status::listingOver) return;
    if (found != engine::status::ok) throw std::runtime_error("a series is unreadable");
    std::printf("%s\n", info.code);
  }
}

void showSeries(const Arguments &args) {
  if (args.size() != 2) throw std::runtime_error("expects DB CODE");
  auto database = openForReading(args[0]);
  engine::SeriesRecord record;
  int found = database->record(args[1].c_str(), record);
  if (found == engine::status::seriesNotFound)
    throw std::runtime_error("no series '" + args[1] + "'");
  if (found != engine::status::ok)
    throw std::runtime_error("series '" + args[1] + "' is unreadable");
  std::printf(
      "code: %s\nfrequency: %d\naggregation: %d\ndescription: %s\nsource: %s\n"
      "units: %s\narea: %s\nadjustment: %s\nbase: %s\ndecimals: %d\nmagnitude: %d\n"
      "changed: %s\nobservations: %zu\n",
      record.code.c_str(), record.frequency, record.aggregation, record.description.c_str(),
      record.source.c_str(), record.units.c_str(), record.area.c_str(), record.adjustment.c_str(),
      record.base.c_str(), record.decimals, record.magnitude, changedText(record.changed).c_str(),
      record.values.size());
  writeObservationRows(std::cout, record);
}

}  // namespace vemro::tool
