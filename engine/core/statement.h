// A prepared SQLite statement that is prepared once and reused; it is
// reset and its bindings cleared before each use. Owns the statement.
#pragma once

#include <sqlite3.h>

#include <string>

namespace vemro::engine {

class Statement {
 public:
  Statement() = default;
  Statement(sqlite3 *db, const char *sql);
  ~Statement();
  Statement(const Statement &) = delete;
  Statement &operator=(const Statement &) = delete;
  Statement(Statement &&other) noexcept;
  Statement &operator=(Statement &&other) noexcept;

  bool ready() const { return stmt_ != nullptr; }
  // Resets, binds the one text parameter and steps: SQLITE_ROW, SQLITE_DONE or an error.
  int runWithText(const char *text);
  // The same, but SQLite keeps a copy of the text: for a statement that is
  // stepped on after the caller's text is gone.
  int runWithCopiedText(const char *text);
  sqlite3_stmt *get() const { return stmt_; }

 private:
  sqlite3_stmt *stmt_ = nullptr;
};

}  // namespace vemro::engine
