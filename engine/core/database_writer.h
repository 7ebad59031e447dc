// Writes a whole database file at once and all-or-nothing: rows go into a
// temporary file beside the target, which is synced and renamed over the
// target only by commit(). Until then, and if the process dies, the target
// stays exactly as it was; a writer destroyed without commit removes its
// temporary file, and the next writer of the same target removes those that
// killed writers left behind. A writer holds its folder's lock while it
// lives (folder_lock.h), so create the writer before reading the file it
// replaces. Errors throw std::runtime_error.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

#include "folder_lock.h"
#include "series_record.h"
#include "statement.h"

namespace vemro::engine {

class DatabaseWriter {
 public:
  explicit DatabaseWriter(std::string targetPath);
  ~DatabaseWriter();
  DatabaseWriter(const DatabaseWriter &) = delete;
  DatabaseWriter &operator=(const DatabaseWriter &) = delete;

  // Records must come in strictly ascending code order (byte order), the
  // order in which the library reads them.
  void add(const SeriesRecord &record);
  void commit();

 private:
  void execute(const char *sql);
  void bindAndInsert(const SeriesRecord &record);

  std::string target_, temporary_;
  FolderLock folderLock_;  // taken first, released last
  int lockFd_ = -1;  // holds the lock on the temporary file
  sqlite3 *db_ = nullptr;
  Statement insert_;
  std::string lastCode_;
  std::vector<double> blob_;
  bool committed_ = false;
};

}  // namespace vemro::engine
