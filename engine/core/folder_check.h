// The stream libraries open a folder without complaint and read it as an
// empty file, so each input is asked first whether it is one.
#pragma once

#include <sys/stat.h>

#include <string>

namespace vemro::engine {

inline bool isFolder(const std::string &path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace vemro::engine
