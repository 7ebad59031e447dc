#include "database_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <stdexcept>

#include "missing_value.h"
#include "period_run.h"
#include "schema.h"

namespace vemro::engine {
namespace {

std::string folderOf(const std::string &path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

void syncPath(const std::string &path, int flags) {
  int fd = ::open(path.c_str(), flags);
  bool synced = fd >= 0 && ::fsync(fd) == 0;
  if (fd >= 0) ::close(fd);
  if (!synced) throw std::runtime_error("cannot sync '" + path + "' to disk");
}

std::string createTemporaryFile(const std::string &target) {
  std::string name = target + ".tmp-XXXXXX";
  int fd = ::mkstemp(name.data());
  if (fd < 0) throw std::runtime_error("cannot create a temporary file beside '" + target + "'");
  ::fchmod(fd, 0644);
  ::close(fd);
  return name;
}

}  // namespace

DatabaseWriter::DatabaseWriter(std::string targetPath)
    : target_(std::move(targetPath)), temporary_(createTemporaryFile(target_)) {
  if (sqlite3_open_v2(temporary_.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    std::string reason = sqlite3_errmsg(db_);
    sqlite3_close(db_);
    ::unlink(temporary_.c_str());
    throw std::runtime_error("cannot write '" + temporary_ + "': " + reason);
  }
  try {
    // No journal and no syncs inside: the file is synced once, whole, before the rename.
    execute(("PRAGMA page_size = " + std::to_string(schema::pageSize)).c_str());
    execute("PRAGMA journal_mode = OFF");
    execute("PRAGMA synchronous = OFF");
    execute(("PRAGMA application_id = " + std::to_string(schema::applicationId)).c_str());
    execute(("PRAGMA user_version = " + std::to_string(schema::version)).c_str());
    execute("BEGIN");
    execute(schema::createTable);
    insert_ = Statement(db_, schema::insertSeries);
    if (!insert_.ready()) throw std::runtime_error(sqlite3_errmsg(db_));
  } catch (...) {
    insert_ = Statement();
    sqlite3_close(db_);
    ::unlink(temporary_.c_str());
    throw;
  }
}

DatabaseWriter::~DatabaseWriter() {
  insert_ = Statement();
  sqlite3_close(db_);
  if (!committed_) ::unlink(temporary_.c_str());
}

void DatabaseWriter::execute(const char *sql) {
  if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
    throw std::runtime_error("writing '" + temporary_ + "': " + sqlite3_errmsg(db_));
  }
}

void DatabaseWriter::add(const SeriesRecord &record) {
  std::string problem = problemWith(record);
  if (!problem.empty()) throw std::runtime_error("series '" + record.code + "': " + problem);
  if (!lastCode_.empty() && record.code <= lastCode_) {
    throw std::runtime_error("series '" + record.code + "' comes after '" + lastCode_ +
                             "': series must be written once each, in code order");
  }
  bindAndInsert(record);
  lastCode_ = record.code;
}

void DatabaseWriter::bindAndInsert(const SeriesRecord &record) {
  sqlite3_stmt *stmt = insert_.get();
  sqlite3_reset(stmt);
  bool hasValues = !record.values.empty();
  // The first period is stored as its own period's date (a weekly date as its week's end).
  int first = hasValues ? periodDateAt(record.firstPeriod, 1, record.frequency) : 0;
  int integers[] = {first,
                    lastPeriodOf(record),
                    static_cast<int>(record.values.size()),
                    record.frequency,
                    record.changed,
                    record.decimals,
                    record.magnitude,
                    missingCountOf(record),
                    record.aggregation};
  for (int i = 0; i < 9; ++i) sqlite3_bind_int(stmt, i + 2, integers[i]);
  sqlite3_bind_text(stmt, 1, record.code.c_str(), -1, SQLITE_STATIC);
  const std::string *texts[] = {&record.units,       &record.area, &record.adjustment,
                                &record.description, &record.base, &record.source};
  for (int i = 0; i < 6; ++i) sqlite3_bind_text(stmt, i + 11, texts[i]->c_str(), -1, SQLITE_STATIC);
  blob_.assign(record.values.begin(), record.values.end());
  for (double &value : blob_) {
    if (std::isnan(value)) value = missingValue();
  }
  if (blob_.empty()) {
    sqlite3_bind_zeroblob(stmt, 17, 0);
  } else {
    sqlite3_bind_blob64(stmt, 17, blob_.data(), blob_.size() * sizeof(double), SQLITE_STATIC);
  }
  if (sqlite3_step(stmt) != SQLITE_DONE) {
    throw std::runtime_error("writing series '" + record.code + "': " + sqlite3_errmsg(db_));
  }
}

void DatabaseWriter::commit() {
  execute("COMMIT");
  insert_ = Statement();
  if (sqlite3_close(db_) != SQLITE_OK) throw std::runtime_error("cannot close " + temporary_);
  db_ = nullptr;
  syncPath(temporary_, O_RDONLY);
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    throw std::runtime_error("cannot replace '" + target_ + "'");
  }
  committed_ = true;
  syncPath(folderOf(target_), O_RDONLY | O_DIRECTORY);
}

}  // namespace vemro::engine
