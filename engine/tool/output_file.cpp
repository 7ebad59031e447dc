#include "output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include "target_file.h"

namespace vemro::tool {
namespace {

bool isSpecialFile(const std::string &path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

// A new, empty file beside `path`; empty when none can be made there.
std::string temporaryBeside(const std::string &path) {
  std::string name = path + ".tmp-XXXXXX";
  int fd = ::mkstemp(name.data());
  if (fd < 0) return {};
  ::close(fd);
  return name;
}

// A file nobody may write is not replaced, as an import does not replace one.
std::string writableBeside(const std::string &path) {
  engine::requireWritable(path);
  return temporaryBeside(path);
}

}  // namespace

OutputFile::OutputFile(const std::string &path)
    : path_(path), written_(isSpecialFile(path) ? path : writableBeside(path)) {
  if (!written_.empty()) out_.open(written_, std::ios::binary | std::ios::trunc);
  if (written_.empty() || !out_) {
    if (!written_.empty() && written_ != path_) std::remove(written_.c_str());
    throw std::runtime_error("cannot write '" + path + "'");
  }
}

OutputFile::~OutputFile() {
  if (kept_ || written_ == path_) return;
  out_.close();
  std::remove(written_.c_str());
}

void OutputFile::keep() {
  if (!out_.flush()) throw std::runtime_error("writing '" + path_ + "' failed");
  out_.close();
  if (written_ != path_) {
    if (::chmod(written_.c_str(), engine::modeForReplacement(path_)) != 0 ||
        std::rename(written_.c_str(), path_.c_str()) != 0) {
      throw std::runtime_error("cannot put '" + path_ + "' in place");
    }
  }
  kept_ = true;
}

}  // namespace vemro::tool
