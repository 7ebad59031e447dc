// verify: SQLite's own integrity check of the file, then every series
// read back and checked against its stored summary.
#include <sqlite3.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "commands.h"
#include "database.h"
#include "database_reading.h"
#include "missing_value.h"

namespace vemro::tool {
namespace {

int integrityProblems(const std::string &path) {
  sqlite3 *db = nullptr;
  sqlite3_stmt *check = nullptr;
  int problems = 0;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr) != SQLITE_OK) {
    std::printf("problem: %s\n", sqlite3_errmsg(db));
    problems = 1;
  }
  while (check && sqlite3_step(check) == SQLITE_ROW) {
    std::string line = reinterpret_cast<const char *>(sqlite3_column_text(check, 0));
    if (line == "ok") continue;
    std::printf("problem: %s\n", line.c_str());
    ++problems;
  }
  sqlite3_finalize(check);
  sqlite3_close(db);
  return problems;
}

bool hasForeignNan(const engine::SeriesRecord &record) {
  for (double value : record.values) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    if (std::isnan(value) && bits != engine::missingValueBits) return true;
  }
  return false;
}

}  // namespace

bool verifyDatabase(const Arguments &args) {
  if (args.size() != 1) throw std::runtime_error("expects one database name");
  std::string path = engine::databaseFileOf(args[0]);
  auto database = openForReading(args[0]);
  int problems = integrityProblems(path);
  size_t series = 0, observations = 0;
  try {
    forEachSeries(*database, [&](const engine::SeriesRecord &record) {
      std::string problem = engine::problemWith(record);
      if (problem.empty() && hasForeignNan(record)) problem = "a gap is not stored as NA";
      if (!problem.empty()) {
        std::printf("problem: series '%s': %s\n", record.code.c_str(), problem.c_str());
        ++problems;
      }
      ++series;
      observations += record.values.size();
    });
  } catch (const std::runtime_error &error) {
    std::printf("problem: %s\n", error.what());
    ++problems;
  }
  std::printf("%s: %zu series, %zu observations, %d problem(s)\n", path.c_str(), series,
              observations, problems);
  return problems == 0;
}

}  // namespace vemro::tool
