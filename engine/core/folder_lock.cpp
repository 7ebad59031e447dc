#include "folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace vemro::engine {

FolderLock::FolderLock(const std::string &folder)
    : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  int result = fd_;
  if (fd_ >= 0) {
    do result = ::flock(fd_, LOCK_EX);
    while (result != 0 && errno == EINTR);
  }
  if (result >= 0) return;
  std::string reason = std::strerror(errno);
  if (fd_ >= 0) ::close(fd_);
  throw std::runtime_error("cannot lock the folder '" + folder + "' for writing: " + reason);
}

FolderLock::~FolderLock() { ::close(fd_); }

}  // namespace vemro::engine
