#include "user_registry.h"

#include <ctime>
#include <iostream>

#include "credentials.h"

namespace vemro::service {

UserRegistry::UserRegistry(std::string path, long long tokenLifetimeSeconds)
    : path_(std::move(path)), lifetime_(tokenLifetimeSeconds) {
  identity_ = identityOf(path_);
  users_ = std::make_shared<const UsersFile>(loadUsersFile(path_));
}

std::shared_ptr<const UsersFile> UserRegistry::current() {
  FileIdentity now = identityOf(path_);
  std::lock_guard<std::mutex> lock(mutex_);
  if (now != identity_) {
    identity_ = now;
    try {
      users_ = std::make_shared<const UsersFile>(loadUsersFile(path_));
    } catch (const std::exception &problem) {
      std::cerr << "vemro-serve: " << problem.what() << "; nobody is admitted until it is fixed"
                << std::endl;
      users_.reset();
    }
  }
  return users_;
}

std::string UserRegistry::signIn(const std::string &user, const std::string &key,
                                 TokenContent *issued) {
  std::shared_ptr<const UsersFile> users = current();
  const std::string *hash = nullptr;
  if (users) {
    auto found = users->hashes.find(user);
    if (found != users->hashes.end()) hash = &found->second;
  }
  if (hash == nullptr) {
    checkAgainstNoUser(key);
    return {};
  }
  if (!keyMatches(*hash, key)) return {};
  *issued = TokenContent{user, static_cast<long long>(std::time(nullptr)) + lifetime_};
  return issueToken(users->secret, *issued, *hash);
}

bool UserRegistry::admits(const std::string &token) {
  ParsedToken parsed;
  if (!parseToken(token, &parsed)) return false;
  std::shared_ptr<const UsersFile> users = current();
  if (!users) return false;
  auto found = users->hashes.find(parsed.content.user);
  if (found == users->hashes.end()) return false;
  return checkToken(parsed, users->secret, found->second, std::time(nullptr)) ==
         TokenCheck::valid;
}

}  // namespace vemro::service
