// Open databases kept for reuse. A Database is used by one request at a
// time, so each request borrows a handle of its own and gives it back.
// A handle is kept only while its file is unchanged: a file replaced by
// rename (vemro-db import) or rewritten is opened afresh at the next
// request, without a restart.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "database.h"
#include "file_identity.h"

namespace vemro::service {

class DatabasePool;

class DatabaseLease {
 public:
  DatabaseLease() = default;
  DatabaseLease(DatabasePool *pool, std::string path, FileIdentity identity,
                std::unique_ptr<vemro::engine::Database> database);
  DatabaseLease(DatabaseLease &&) = default;
  DatabaseLease &operator=(DatabaseLease &&) = delete;
  ~DatabaseLease();

  explicit operator bool() const { return database_ != nullptr; }
  vemro::engine::Database &operator*() const { return *database_; }
  const FileIdentity &identity() const { return identity_; }

 private:
  DatabasePool *pool_ = nullptr;
  std::string path_;
  FileIdentity identity_;
  std::unique_ptr<vemro::engine::Database> database_;
};

class DatabasePool {
 public:
  // An empty lease when the file cannot be opened as a database.
  DatabaseLease borrow(const std::string &path);
  // The number of series of the leased file, counted once per file version.
  long long seriesCount(const std::string &path, const DatabaseLease &lease);

 private:
  friend class DatabaseLease;
  struct Idle {
    FileIdentity identity;
    std::unique_ptr<vemro::engine::Database> database;
  };
  void giveBack(const std::string &path, const FileIdentity &identity,
                std::unique_ptr<vemro::engine::Database> database);

  std::mutex mutex_;
  std::map<std::string, std::vector<Idle>> idle_;
  size_t idleCount_ = 0;
  std::map<std::string, std::pair<FileIdentity, long long>> counts_;
};

}  // namespace vemro::service
