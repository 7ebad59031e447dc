// What tells one version of a file from the next: a replacement by rename
// brings a new inode, a rewrite in place a new modification time or size.
#pragma once

#include <sys/stat.h>

#include <string>

namespace vemro::service {

struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  long long modifiedNs = 0;
  long long size = -1;  // -1: the file is not there

  bool exists() const { return size >= 0; }
  bool operator==(const FileIdentity &other) const {
    return device == other.device && inode == other.inode && modifiedNs == other.modifiedNs &&
           size == other.size;
  }
  bool operator!=(const FileIdentity &other) const { return !(*this == other); }
};

FileIdentity identityOf(const std::string &path);

}  // namespace vemro::service
