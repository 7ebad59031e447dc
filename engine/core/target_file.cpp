#include "target_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace vemro::engine {

std::string resolvedTarget(const std::string &path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), std::free);
  if (!real) throw std::runtime_error("'" + path + "' is a link to a file that does not exist");
  return real.get();
}

void requireWritable(const std::string &target) {
  struct stat info;
  if (::stat(target.c_str(), &info) == 0 && (info.st_mode & 0222) == 0) {
    throw std::runtime_error("'" + target + "' is read-only; make it writable to change it");
  }
}

void keepOwner(int fd, const std::string &target) {
  struct stat info;
  if (::stat(target.c_str(), &info) != 0) return;
  if (info.st_uid == ::geteuid() && info.st_gid == ::getegid()) return;
  if (::fchown(fd, info.st_uid, info.st_gid) == 0) return;
  // Failing that too, the new file belongs to this user: all a rename allows.
  int groupKept = ::fchown(fd, static_cast<uid_t>(-1), info.st_gid);
  static_cast<void>(groupKept);
}

mode_t modeForReplacement(const std::string &target) {
  struct stat info;
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  // umask() can only be read by setting it; the tool that writes is one thread.
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace vemro::engine
