// The users file: JSON holding the secret that signs tokens and, per user,
// the salted hash of the user's key (never the key). Written whole to a
// temporary file beside it, mode 0600, then renamed over it, so a reader
// sees the old file or the new one and never half of one.
#pragma once

#include <map>
#include <string>

namespace vemro::service {

struct UsersFile {
  std::string secret;                         // crypto_auth_KEYBYTES raw bytes
  std::map<std::string, std::string> hashes;  // user name -> crypto_pwhash_str
};

// Throws std::runtime_error naming the file and the problem.
UsersFile loadUsersFile(const std::string &path);
void saveUsersFile(const std::string &path, const UsersFile &users);
// A file with no user yet and a fresh secret.
UsersFile newUsersFile();

// 1 to 64 characters out of letters, digits and . _ @ -
bool isValidUserName(const std::string &name);

}  // namespace vemro::service
