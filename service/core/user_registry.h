// The running service's view of its users file: read again whenever the
// file changes, so users added, replaced or removed take effect without a
// restart. A file that cannot be read admits nobody until it is fixed.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "file_identity.h"
#include "tokens.h"
#include "users_file.h"

namespace vemro::service {

class UserRegistry {
 public:
  // Throws std::runtime_error when the file cannot be read at start.
  explicit UserRegistry(std::string path, long long tokenLifetimeSeconds = 12 * 3600);

  // A new token for the user, or empty when the user or the key is wrong.
  std::string signIn(const std::string &user, const std::string &key, TokenContent *issued);
  bool admits(const std::string &token);

 private:
  std::shared_ptr<const UsersFile> current();

  std::string path_;
  long long lifetime_;
  std::mutex mutex_;
  FileIdentity identity_;
  std::shared_ptr<const UsersFile> users_;
};

}  // namespace vemro::service
