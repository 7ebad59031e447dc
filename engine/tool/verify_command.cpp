// verify: SQLite's own integrity check of the file, then every series
// read back through the engine (which checks each row's checksums) and
// checked against its stored summary. A damaged series is reported and
// the check goes on with the next one.
#include <sqlite3.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "commands.h"
#include "database.h"
#include "database_reading.h"
#include "missing_value.h"
#include "schema.h"
#include "utf8_text.h"

namespace vemro::tool {
namespace {

// What SQLite itself sees in the file: its integrity check, the schema
// version and every code in the table, read without the engine's checks
// so that one damaged row does not hide the rows after it.
struct FileScan {
  int problems = 0;
  long long version = 0;
  std::vector<std::string> codes;
};

void reportProblem(FileScan &scan, const std::string &problem) {
  std::printf("problem: %s\n", problem.c_str());
  ++scan.problems;
}

void scanRows(sqlite3 *db, const char *sql, FileScan &scan,
              void (*onRow)(sqlite3_stmt *, FileScan &)) {
  sqlite3_stmt *stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) {
    reportProblem(scan, sqlite3_errmsg(db));
    return;
  }
  int step;
  while ((step = sqlite3_step(stmt)) == SQLITE_ROW) onRow(stmt, scan);
  if (step != SQLITE_DONE) reportProblem(scan, sqlite3_errmsg(db));
  sqlite3_finalize(stmt);
}

void onIntegrityLine(sqlite3_stmt *stmt, FileScan &scan) {
  const unsigned char *line = sqlite3_column_text(stmt, 0);
  std::string text = line ? reinterpret_cast<const char *>(line) : "";
  if (text != "ok") reportProblem(scan, text);
}

void onVersion(sqlite3_stmt *stmt, FileScan &scan) { scan.version = sqlite3_column_int64(stmt, 0); }

void onCode(sqlite3_stmt *stmt, FileScan &scan) {
  if (sqlite3_column_type(stmt, 0) != SQLITE_TEXT) {
    reportProblem(scan, "a series' code is not text");
    return;
  }
  scan.codes.emplace_back(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
}

FileScan scanFile(const std::string &path) {
  FileScan scan;
  sqlite3 *db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    reportProblem(scan, sqlite3_errmsg(db));
  } else {
    scanRows(db, "PRAGMA integrity_check", scan, onIntegrityLine);
    scanRows(db, "PRAGMA user_version", scan, onVersion);
    scanRows(db, "SELECT code FROM series ORDER BY code", scan, onCode);
  }
  sqlite3_close(db);
  return scan;
}

bool hasForeignNan(const engine::SeriesRecord &record) {
  for (double value : record.values) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    if (std::isnan(value) && bits != engine::missingValueBits) return true;
  }
  return false;
}

std::string problemWithSeries(engine::Database &database, const std::string &code,
                              engine::SeriesRecord &record) {
  int found = database.record(code.c_str(), record);
  if (found != 0) {
    return "cannot be read (status " + std::to_string(found) +
           "): its row is damaged or does not match its checksum";
  }
  std::string problem = engine::problemWith(record);
  if (problem.empty() && hasForeignNan(record)) problem = "a gap is not stored as NA";
  return problem;
}

}  // namespace

bool verifyDatabase(const Arguments &args) {
  if (args.size() != 1) throw std::runtime_error("expects one database name");
  std::string path = engine::databaseFileOf(args[0]);
  auto database = openForReading(args[0]);
  FileScan scan = scanFile(path);
  size_t observations = 0;
  engine::SeriesRecord record;
  for (const std::string &code : scan.codes) {
    std::string problem = problemWithSeries(*database, code, record);
    if (!problem.empty())
      reportProblem(scan, "series '" + engine::excerptOf(code) + "': " + problem);
    observations += problem.empty() ? record.values.size() : 0;
  }
  if (scan.version == engine::schema::uncheckedVersion) {
    std::printf("note: schema version 1 keeps no checksums; 'vemro-db upgrade %s' adds them\n",
                args[0].c_str());
  }
  std::printf("%s: %zu series, %zu observations, %d problem(s)\n", path.c_str(),
              scan.codes.size(), observations, scan.problems);
  return scan.problems == 0;
}

}  // namespace vemro::tool
