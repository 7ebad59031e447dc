#include "database_root.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <stdexcept>

#include "schema.h"

namespace vemro::service {
namespace {

constexpr size_t maxNameBytes = 1024;

bool acceptablePart(const std::string &part) {
  return !part.empty() && part != "." && part != "..";
}

bool acceptableName(const std::string &name) {
  if (name.empty() || name.size() > maxNameBytes || name.front() == '/') return false;
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7f || c == '\\') return false;
  size_t start = 0;
  for (;;) {
    size_t slash = name.find('/', start);
    if (!acceptablePart(name.substr(start, slash - start))) return false;
    if (slash == std::string::npos) return true;
    start = slash + 1;
  }
}

std::string realPath(const std::string &path) {
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

}  // namespace

DatabaseRoot::DatabaseRoot(const std::string &folder) : folder_(realPath(folder)) {
  struct stat info;
  if (folder_.empty() || stat(folder_.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    throw std::runtime_error("the root '" + folder + "' is not a folder");
}

NameLookup DatabaseRoot::resolve(const std::string &name, std::string *path) const {
  if (!acceptableName(name)) return NameLookup::refused;
  std::string real = realPath(folder_ + "/" + name + vemro::engine::schema::fileExtension);
  if (real.empty()) return NameLookup::missing;
  std::string inside = folder_ == "/" ? folder_ : folder_ + "/";
  if (real.compare(0, inside.size(), inside) != 0) return NameLookup::refused;
  struct stat info;
  if (stat(real.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return NameLookup::missing;
  *path = real;
  return NameLookup::found;
}

}  // namespace vemro::service
