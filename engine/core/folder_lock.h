// An exclusive lock on a folder, held while the object lives. Writers of
// database files in one folder take it from reading the old file to
// renaming the new one, so two imports cannot both start from the same
// old file and the later rename drop the earlier import's series.
#pragma once

#include <string>

namespace vemro::engine {

class FolderLock {
 public:
  // Waits for the lock; throws std::runtime_error naming the folder when
  // it cannot be had.
  explicit FolderLock(const std::string &folder);
  ~FolderLock();
  FolderLock(const FolderLock &) = delete;
  FolderLock &operator=(const FolderLock &) = delete;

 private:
  int fd_;
};

}  // namespace vemro::engine
