// A database file opened read-only. One read transaction is held from open
// to close and the lookups reuse prepared statements. Every lookup returns a status (status.h). The
// object owns its SQLite connection; bytes it hands out stay valid until its next lookup.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <unordered_set>

#include "conversion.h"
#include "observations.h"
#include "series_info.h"
#include "series_record.h"
#include "statement.h"

namespace vemro::engine {

// The file a database name stands for: the name itself, else the name with
// the database extension added; empty when neither is a regular file.
std::string databaseFileOf(const std::string &name);

class Database {
 public:
  // Null, with the reason in `reason`, when the file cannot be used.
  static std::unique_ptr<Database> open(const std::string &name, std::string &reason);
  ~Database();
  Database(const Database &) = delete;
  Database &operator=(const Database &) = delete;

  int info(const char *code, SeriesInfo &out);
  // With previousCode null the first series in code order, else the next;
  // a series whose row is damaged is passed over.
  int next(const char *previousCode, SeriesInfo &out);
  // The code after `previous` (the first for an empty one), read without
  // checking its row, so that a damaged series hides none after it:
  // ok, listingOver, or seriesUnreadable. Called with the code it last
  // gave, it steps on along the table's own order instead of searching;
  // codes then come in order unless a key is damaged, and none twice.
  int codeAfter(const std::string &previous, std::string &code);
  // How many damaged keys walks passed over: a code met a second time, or
  // one that is not text.
  int damagedKeys() const { return damagedKeys_; }
  int observations(const char *code, Observations &out);
  // The series' observations from firstPeriod to lastPeriod at `frequency`,
  // converted under `mode`, written to out.
  int values(const char *code, int firstPeriod, int lastPeriod, int frequency,
             AggregationMode mode, double *out);
  // The whole series, for the database tool.
  int record(const char *code, SeriesRecord &out);
  // The number of series, by SQLite's own count of the rows; -1 when the
  // table cannot be counted.
  long long seriesCount();
  // False for a file of the older schema, whose rows carry no checksums.
  bool hasChecksums() const { return checked_; }

 private:
  explicit Database(sqlite3 *db) : db_(db) {}
  std::string prepare();
  int fillInfo(int stepResult, sqlite3_stmt *stmt, SeriesInfo &out);

  sqlite3 *db_;
  bool checked_ = false;  // the rows carry checksums (schema version 2)
  Statement info_, codes_, observations_;
  // The code at which the walk of codes_ stands (empty when it stands
  // nowhere), and the codes that walk has given.
  std::string walkedTo_;
  std::unordered_set<std::string> walked_;
  int damagedKeys_ = 0;
};

}  // namespace vemro::engine
