// export, list and show.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>

#include "commands.h"
#include "database_reading.h"
#include "output_file.h"
#include "period_run.h"
#include "status.h"
#include "utf8_text.h"

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

bool sameFile(const std::string &a, const std::string &b) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::equivalent(a, b, error)) return true;
  return fs::absolute(a, error).lexically_normal() == fs::absolute(b, error).lexically_normal();
}

// Opening an output over the database, or both outputs on one file, would
// destroy the database or the other output.
void requireSeparateFiles(const std::string &database, const std::string &metadata,
                          const std::string &data) {
  for (const std::string &output : {metadata, data}) {
    if (sameFile(output, database)) {
      throw std::runtime_error("'" + output + "' is the database itself; name another output file");
    }
  }
  if (sameFile(metadata, data)) {
    throw std::runtime_error("'" + metadata + "' is given for both the metadata and the data");
  }
}

}  // namespace

// Writes every readable series; a damaged one is left out, named at the end,
// and makes the command fail, so the intact series can still be salvaged.
void exportSeries(const Arguments &args) {
  if (args.size() != 3) throw std::runtime_error("expects DB META.csv DATA.csv");
  auto database = openForReading(args[0]);
  requireSeparateFiles(engine::databaseFileOf(args[0]), args[1], args[2]);
  OutputFile metadata(args[1]), data(args[2]);
  metadata.stream() << "code,frequency,aggregation,description,source,units,area,adjustment,"
                       "base,decimals,magnitude,changed\n";
  data.stream() << "code,date,value\n";
  UnreadableSeries unreadable;
  engine::SeriesRecord record;
  forEachCode(*database, [&](const std::string &code) {
    int found = database->record(code.c_str(), record);
    if (found != engine::status::ok) return unreadable.add(code, found);
    writeMetadataRow(metadata.stream(), record);
    writeObservationRows(data.stream(), record);
  });
  metadata.keep();
  data.keep();
  unreadable.throwIfAny(args[0], *database);
}

void listCodes(const Arguments &args) {
  if (args.size() != 1) throw std::runtime_error("expects one database name");
  auto database = openForReading(args[0]);
  UnreadableSeries unreadable;
  SeriesInfo info;
  forEachCode(*database, [&](const std::string &code) {
    int found = database->info(code.c_str(), info);
    if (found != engine::status::ok) return unreadable.add(code, found);
    std::printf("%s\n", info.code);
  });
  unreadable.throwIfAny(args[0], *database);
}

void showSeries(const Arguments &args) {
  if (args.size() != 2) throw std::runtime_error("expects DB CODE");
  auto database = openForReading(args[0]);
  engine::SeriesRecord record;
  int found = database->record(args[1].c_str(), record);
  if (found == engine::status::seriesNotFound)
    throw std::runtime_error("no series '" + engine::excerptOf(args[1]) + "'");
  if (found != engine::status::ok)
    throw std::runtime_error("series '" + args[1] + "' is unreadable");
  // A control byte in a stored text would act on the terminal, and a
  // newline would break the field's line: texts are shown escaped.
  auto line = [](const char *field, const std::string &text) {
    std::printf("%s: %s\n", field, engine::escapedText(text).c_str());
  };
  line("code", record.code);
  std::printf("frequency: %d\naggregation: %d\n", record.frequency, record.aggregation);
  line("description", record.description);
  line("source", record.source);
  line("units", record.units);
  line("area", record.area);
  line("adjustment", record.adjustment);
  line("base", record.base);
  std::printf("decimals: %d\nmagnitude: %d\nchanged: %s\nobservations: %zu\n", record.decimals,
              record.magnitude, changedText(record.changed).c_str(), record.values.size());
  writeObservationRows(std::cout, record);
}

}  // namespace vemro::tool
