#include "database.h"

#include <sys/stat.h>

#include <cstring>
#include <utility>

#include "folder_check.h"
#include "row_reading.h"
#include "schema.h"
#include "status.h"

namespace vemro::engine {
namespace {

bool isRegularFile(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

long long fileSize(const std::string &path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

long long pragmaValue(sqlite3 *db, const char *sql) {
  sqlite3_stmt *stmt = nullptr;
  long long value = -1;
  if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW) {
    value = sqlite3_column_int64(stmt, 0);
  }
  sqlite3_finalize(stmt);
  return value;
}

bool hasChecksumColumns(sqlite3 *db) {
  sqlite3_stmt *stmt = nullptr;
  bool found = sqlite3_prepare_v2(db, "SELECT info_check, data_check FROM series LIMIT 0", -1,
                                  &stmt, nullptr) == SQLITE_OK;
  sqlite3_finalize(stmt);
  return found;
}

// Our own writer always leaves whole pages, so any other size means the
// file was cut short or grown by something else.
std::string problemWithHeader(sqlite3 *db, const std::string &path) {
  if (pragmaValue(db, "PRAGMA application_id") != schema::applicationId) {
    return "not a Vemro database file";
  }
  long long version = pragmaValue(db, "PRAGMA user_version");
  if (version > schema::version) return "written by a newer version of the engine";
  if (version != schema::version && version != schema::uncheckedVersion)
    return "unknown schema version";
  if (version == schema::uncheckedVersion && hasChecksumColumns(db)) {
    // One damaged byte of the header would otherwise turn every check off.
    return "the header says schema version 1, but the rows carry checksums";
  }
  long long pages = pragmaValue(db, "PRAGMA page_count");
  long long pageSize = pragmaValue(db, "PRAGMA page_size");
  if (pages <= 0 || pages * pageSize != fileSize(path)) return "the file is truncated or padded";
  return {};
}

// Memory mapping was measured slower than SQLite's own page reads with
// this file layout, so it stays off.
void makeDefensive(sqlite3 *db) {
  sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
}

}  // namespace

std::string databaseFileOf(const std::string &name) {
  if (name.empty()) return {};
  if (isRegularFile(name)) return name;
  std::string withExtension = name + schema::fileExtension;
  return isRegularFile(withExtension) ? withExtension : std::string();
}

std::unique_ptr<Database> Database::open(const std::string &name, std::string &reason) {
  std::string path = databaseFileOf(name);
  if (path.empty()) {
    reason = isFolder(name)
                 ? "'" + name + "' is a folder, not a database file"
                 : "no database file '" + name + "' (nor with " + schema::fileExtension + ")";
    return nullptr;
  }
  sqlite3 *db = nullptr;
  int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    reason = std::string("cannot open '") + path + "': " + sqlite3_errmsg(db);
    sqlite3_close(db);
    return nullptr;
  }
  std::unique_ptr<Database> database(new Database(db));
  makeDefensive(db);
  reason = problemWithHeader(db, path);
  database->checked_ = pragmaValue(db, "PRAGMA user_version") == schema::version;
  if (reason.empty()) reason = database->prepare();
  if (!reason.empty()) {
    reason = "'" + path + "': " + reason;
    return nullptr;
  }
  return database;
}

std::string Database::prepare() {
  if (sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
    return sqlite3_errmsg(db_);
  }
  // Each statement is checked as it is made: the next one would clear the
  // reason SQLite gave.
  std::pair<Statement *, const char *> statements[] = {
      {&info_, schema::selectInfo[checked_]},
      {&codes_, schema::selectCodeAfter},
      {&observations_, schema::selectObservations[checked_]}};
  for (auto [statement, sql] : statements) {
    *statement = Statement(db_, sql);
    if (!statement->ready()) return std::string("not a series table: ") + sqlite3_errmsg(db_);
  }
  // The first step takes the read lock, held until close, and reads the index root.
  int step = codes_.runWithText("");
  sqlite3_reset(codes_.get());
  if (step != SQLITE_ROW && step != SQLITE_DONE) return sqlite3_errmsg(db_);
  return {};
}

Database::~Database() {
  info_ = Statement();
  codes_ = Statement();
  observations_ = Statement();
  sqlite3_close(db_);
}

int Database::fillInfo(int stepResult, sqlite3_stmt *stmt, SeriesInfo &out) {
  if (stepResult == SQLITE_DONE) return status::seriesNotFound;
  if (stepResult != SQLITE_ROW) return status::seriesUnreadable;
  return readInfoRow(stmt, checked_, out);
}

int Database::info(const char *code, SeriesInfo &out) {
  if (code == nullptr) return status::badArgument;
  return fillInfo(info_.runWithText(code), info_.get(), out);
}

int Database::next(const char *previousCode, SeriesInfo &out) {
  // A copy: callers naturally pass the code of the very record being filled.
  std::string code = previousCode ? previousCode : "";
  for (;;) {
    int found = codeAfter(std::string(code), code);
    if (found != status::ok) return found;
    // A damaged row is passed over, so that it hides no series after it;
    // so is a listed code that a search cannot find, a damaged key.
    found = info(code.c_str(), out);
    if (found != status::seriesUnreadable && found != status::seriesNotFound) return found;
  }
}

int Database::codeAfter(const std::string &previous, std::string &code) {
  // Stepping on follows the B-tree's links from cell to cell, where a
  // search compares keys on the way down: one damaged key in an inner page
  // would send a search past whole pages of codes without a word. A
  // stepped walk meets a damaged key out of order, but every other code
  // still comes, and the damaged one fails its lookup.
  bool onward = !walkedTo_.empty() && previous == walkedTo_;
  walkedTo_.clear();
  if (!onward) walked_.clear();
  int step = onward ? sqlite3_step(codes_.get()) : codes_.runWithCopiedText(previous.c_str());
  for (;; step = sqlite3_step(codes_.get())) {
    if (step == SQLITE_DONE) return status::listingOver;
    sqlite3_stmt *stmt = codes_.get();
    if (step != SQLITE_ROW) return status::seriesUnreadable;
    // A key damaged out of being text names no series; the walk goes on.
    if (sqlite3_column_type(stmt, 0) != SQLITE_TEXT) {
      ++damagedKeys_;
      onward = true;
      continue;
    }
    std::string found(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)),
                      static_cast<size_t>(sqlite3_column_bytes(stmt, 0)));
    // A damaged search must not send a walk round in circles.
    if (!onward && found <= previous) return status::seriesUnreadable;
    // A key damaged into another code would list that code twice.
    if (!walked_.insert(found).second) {
      ++damagedKeys_;
      continue;
    }
    walkedTo_ = found;
    code = std::move(found);
    return status::ok;
  }
}

int Database::observations(const char *code, Observations &out) {
  if (code == nullptr) return status::badArgument;
  int step = observations_.runWithText(code);
  if (step == SQLITE_DONE) return status::seriesNotFound;
  if (step != SQLITE_ROW) return status::seriesUnreadable;
  return readObservationsRow(observations_.get(), code, checked_, out);
}

int Database::values(const char *code, int firstPeriod, int lastPeriod, int frequency,
                     AggregationMode mode, double *out) {
  Observations series;
  int found = observations(code, series);
  if (found != status::ok) return found;
  return writeObservations(series, firstPeriod, lastPeriod, frequency, mode, out);
}

long long Database::seriesCount() { return pragmaValue(db_, "SELECT count(*) FROM series"); }

int Database::record(const char *code, SeriesRecord &out) {
  SeriesInfo info;
  int found = this->info(code, info);
  if (found != status::ok) return found;
  out = SeriesRecord();
  readRecordTexts(info_.get(), out);
  Observations stored;
  found = observations(code, stored);
  if (found != status::ok) return found;
  out.code = code;
  out.frequency = stored.frequency;
  out.firstPeriod = stored.firstPeriod;
  out.aggregation = stored.aggregation;
  out.changed = info.attrB;
  out.decimals = info.attrC;
  out.magnitude = info.attrD;
  out.values.resize(static_cast<size_t>(stored.count));
  if (stored.count > 0) std::memcpy(out.values.data(), stored.bytes, out.values.size() * 8);
  return status::ok;
}

}  // namespace vemro::engine
