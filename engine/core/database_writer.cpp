#include "database_writer.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <stdexcept>

#include "folder_check.h"
#include "missing_value.h"
#include "period_run.h"
#include "record_check.h"
#include "schema.h"
#include "target_file.h"

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

std::string baseNameOf(const std::string &path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A name of its own, so that no file a user names is taken for a leftover.
constexpr const char *temporaryInfix = ".vemro-import-";
constexpr const char *temporarySuffix = ".vemro-import-XXXXXX";

// What a killed writer leaves: an empty file, or one SQLite began. A file
// of the same name with other contents is somebody else's.
bool looksLikeOurTemporary(int fd) {
  static const char header[16] = "SQLite format 3";  // with its NUL
  char start[sizeof header];
  ssize_t got = ::pread(fd, start, sizeof start, 0);
  return got == 0 || (got == sizeof start && std::memcmp(start, header, sizeof header) == 0);
}

// A writer holds a lock on its temporary file until it is done, and the
// kernel drops the lock when the writer dies: a file of that name that can
// be locked is left over from a killed import.
void removeStaleTemporaryFiles(const std::string &target) {
  std::string prefix = baseNameOf(target) + temporaryInfix, folder = folderOf(target);
  size_t length = prefix.size() + 6;
  DIR *dir = ::opendir(folder.c_str());
  while (dirent *entry = dir ? ::readdir(dir) : nullptr) {
    std::string name = entry->d_name;
    if (name.size() != length || name.compare(0, prefix.size(), prefix) != 0) continue;
    std::string path = folder + "/" + name;
    int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW);
    if (fd < 0) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && looksLikeOurTemporary(fd)) ::unlink(path.c_str());
    ::close(fd);
  }
  if (dir) ::closedir(dir);
}

// Returns the locked descriptor, kept open until the writer is done. Another
// writer's clean-up may take a new file for stale before it is locked;
// then the file is gone once the lock is had, and a new one is made.
int createTemporaryFile(const std::string &target, std::string &name) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    name = target + temporarySuffix;
    int fd = ::mkstemp(name.data());
    if (fd < 0) break;
    struct stat info;
    if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &info) == 0 && info.st_nlink > 0) {
      ::fchmod(fd, 0644);
      return fd;
    }
    ::close(fd);
  }
  throw std::runtime_error("cannot create a temporary file beside '" + target + "'");
}

void requireNoFolder(const std::string &target) {
  if (isFolder(target)) {
    throw std::runtime_error("'" + target + "' is a folder, not a database file");
  }
}

}  // namespace

DatabaseWriter::DatabaseWriter(std::string targetPath)
    : target_(resolvedTarget(targetPath)), folderLock_(folderOf(target_)) {
  requireNoFolder(target_);
  requireWritable(target_);
  removeStaleTemporaryFiles(target_);
  lockFd_ = createTemporaryFile(target_, temporary_);
  if (sqlite3_open_v2(temporary_.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    std::string reason = sqlite3_errmsg(db_);
    sqlite3_close(db_);
    ::unlink(temporary_.c_str());
    ::close(lockFd_);
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
    ::close(lockFd_);
    throw;
  }
}

DatabaseWriter::~DatabaseWriter() {
  insert_ = Statement();
  sqlite3_close(db_);
  if (!committed_) ::unlink(temporary_.c_str());
  ::close(lockFd_);
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
  size_t blobBytes = blob_.size() * sizeof(double);
  if (blob_.empty()) {
    sqlite3_bind_zeroblob(stmt, 17, 0);
  } else {
    sqlite3_bind_blob64(stmt, 17, blob_.data(), blobBytes, SQLITE_STATIC);
  }
  InfoFields fields{record.code, {}, {}, static_cast<int64_t>(blobBytes)};
  std::copy(std::begin(integers), std::end(integers), fields.integers);
  for (int i = 0; i < 6; ++i) fields.texts[i] = *texts[i];
  sqlite3_bind_int64(stmt, 18, infoCheck(fields));
  sqlite3_bind_int64(stmt, 19,
                     dataCheck(record.code, record.frequency, first, integers[2],
                               record.aggregation, blob_.data(), blobBytes));
  if (sqlite3_step(stmt) != SQLITE_DONE) {
    throw std::runtime_error("writing series '" + record.code + "': " + sqlite3_errmsg(db_));
  }
}

void DatabaseWriter::commit() {
  execute("COMMIT");
  insert_ = Statement();
  if (sqlite3_close(db_) != SQLITE_OK) throw std::runtime_error("cannot close " + temporary_);
  db_ = nullptr;
  keepOwner(lockFd_, target_);
  if (::fchmod(lockFd_, modeForReplacement(target_)) != 0) {
    throw std::runtime_error("cannot set the permissions of '" + temporary_ + "'");
  }
  syncPath(temporary_, O_RDONLY);
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
    throw std::runtime_error("cannot replace '" + target_ + "'");
  }
  committed_ = true;
  syncPath(folderOf(target_), O_RDONLY | O_DIRECTORY);
}

}  // namespace vemro::engine
