#include "database_pool.h"

namespace vemro::service {
namespace {

using vemro::engine::Database;

// Each idle handle holds a file descriptor and SQLite's page cache.
constexpr size_t maxIdlePerFile = 8;
constexpr size_t maxIdle = 64;

}  // namespace

DatabaseLease::DatabaseLease(DatabasePool *pool, std::string path, FileIdentity identity,
                             std::unique_ptr<Database> database)
    : pool_(pool), path_(std::move(path)), identity_(identity), database_(std::move(database)) {}

DatabaseLease::~DatabaseLease() {
  if (pool_ && database_) pool_->giveBack(path_, identity_, std::move(database_));
}

DatabaseLease DatabasePool::borrow(const std::string &path) {
  // Taken before the open: should the file be replaced in between, the
  // handle carries the older identity and is dropped at its next use.
  FileIdentity identity = identityOf(path);
  // Handles of an older version of the file close after the lock is let go.
  std::vector<Idle> stale;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Idle> &handles = idle_[path];
    while (!handles.empty()) {
      Idle handle = std::move(handles.back());
      handles.pop_back();
      --idleCount_;
      if (handle.identity == identity)
        return DatabaseLease(this, path, identity, std::move(handle.database));
      stale.push_back(std::move(handle));
    }
  }
  std::string reason;
  std::unique_ptr<Database> database = Database::open(path, reason);
  if (!database) return DatabaseLease();
  return DatabaseLease(this, path, identity, std::move(database));
}

void DatabasePool::giveBack(const std::string &path, const FileIdentity &identity,
                            std::unique_ptr<Database> database) {
  if (identityOf(path) != identity) return;
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<Idle> &handles = idle_[path];
  if (handles.size() >= maxIdlePerFile || idleCount_ >= maxIdle) return;
  handles.push_back(Idle{identity, std::move(database)});
  ++idleCount_;
}

long long DatabasePool::seriesCount(const std::string &path, const DatabaseLease &lease) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto known = counts_.find(path);
    if (known != counts_.end() && known->second.first == lease.identity())
      return known->second.second;
  }
  long long count = (*lease).seriesCount();
  if (count < 0) return count;
  std::lock_guard<std::mutex> lock(mutex_);
  counts_[path] = {lease.identity(), count};
  return count;
}

}  // namespace vemro::service
