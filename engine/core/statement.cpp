#include "statement.h"

#include <utility>

namespace vemro::engine {

Statement::Statement(sqlite3 *db, const char *sql) {
  if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

Statement::Statement(Statement &&other) noexcept : stmt_(std::exchange(other.stmt_, nullptr)) {}

Statement &Statement::operator=(Statement &&other) noexcept {
  std::swap(stmt_, other.stmt_);
  return *this;
}

int Statement::runWithText(const char *text) {
  sqlite3_reset(stmt_);
  sqlite3_bind_text(stmt_, 1, text, -1, SQLITE_STATIC);
  return sqlite3_step(stmt_);
}

int Statement::runWithCopiedText(const char *text) {
  sqlite3_reset(stmt_);
  sqlite3_bind_text(stmt_, 1, text, -1, SQLITE_TRANSIENT);
  return sqlite3_step(stmt_);
}

}  // namespace vemro::engine
