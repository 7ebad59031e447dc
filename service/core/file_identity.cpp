#include "file_identity.h"

namespace vemro::service {

FileIdentity identityOf(const std::string &path) {
  FileIdentity identity;
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return identity;
  identity.device = info.st_dev;
  identity.inode = info.st_ino;
  identity.modifiedNs = info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec;
  identity.size = info.st_size;
  return identity;
}

}  // namespace vemro::service
