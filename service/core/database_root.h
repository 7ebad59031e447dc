// The folder the service serves. A database's name is its file's path
// under the folder without the extension: "sub/x" is ROOT/sub/x.vdb.
// Names that could reach outside the folder are refused: absolute paths,
// "." or ".." parts, empty parts, and symbolic links leading out of it.
#pragma once

#include <string>

namespace vemro::service {

enum class NameLookup { found, refused, missing };

class DatabaseRoot {
 public:
  // Throws std::runtime_error when the folder is not there.
  explicit DatabaseRoot(const std::string &folder);
  // On found, `path` is the file's real path inside the folder.
  NameLookup resolve(const std::string &name, std::string *path) const;

 private:
  std::string folder_;  // real path, no trailing slash
};

}  // namespace vemro::service
