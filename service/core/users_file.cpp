#include "users_file.h"

#include <fcntl.h>
#include <sodium.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

#include "credentials.h"

namespace vemro::service {
namespace {

using nlohmann::json;

constexpr int fileVersion = 1;

[[noreturn]] void fail(const std::string &path, const std::string &problem) {
  throw std::runtime_error("users file '" + path + "': " + problem);
}

std::string secretFromHex(const std::string &path, const std::string &hex) {
  std::string secret(crypto_auth_KEYBYTES, '\0');
  size_t length = 0;
  const char *end = nullptr;
  if (sodium_hex2bin(reinterpret_cast<unsigned char *>(&secret[0]), secret.size(), hex.data(),
                     hex.size(), nullptr, &length, &end) != 0 ||
      length != secret.size() || end != hex.data() + hex.size())
    fail(path, "the secret is damaged");
  return secret;
}

std::string secretToHex(const std::string &secret) {
  std::string hex(2 * secret.size() + 1, '\0');
  sodium_bin2hex(&hex[0], hex.size(), reinterpret_cast<const unsigned char *>(secret.data()),
                 secret.size());
  hex.pop_back();
  return hex;
}

std::string fileText(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) fail(path, "cannot be read");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

UsersFile fromJson(const std::string &path, const json &document) {
  if (!document.is_object() || document.value("version", 0) != fileVersion ||
      !document.contains("secret") || !document["secret"].is_string() ||
      !document.contains("users") || !document["users"].is_object())
    fail(path, "not a users file of this version");
  UsersFile users;
  users.secret = secretFromHex(path, document["secret"].get<std::string>());
  for (const auto &user : document["users"].items()) {
    if (!isValidUserName(user.key()) || !user.value().is_string())
      fail(path, "a user entry is damaged");
    users.hashes[user.key()] = user.value().get<std::string>();
  }
  return users;
}

void writeAll(int fd, const std::string &text, const std::string &path) {
  size_t written = 0;
  while (written < text.size()) {
    ssize_t step = ::write(fd, text.data() + written, text.size() - written);
    if (step < 0) fail(path, "cannot be written");
    written += static_cast<size_t>(step);
  }
}

}  // namespace

UsersFile newUsersFile() {
  requireSodium();
  UsersFile users;
  users.secret.resize(crypto_auth_KEYBYTES);
  crypto_auth_keygen(reinterpret_cast<unsigned char *>(&users.secret[0]));
  return users;
}

UsersFile loadUsersFile(const std::string &path) {
  requireSodium();
  json document = json::parse(fileText(path), nullptr, false);
  if (document.is_discarded()) fail(path, "not valid JSON");
  return fromJson(path, document);
}

void saveUsersFile(const std::string &path, const UsersFile &users) {
  json document{{"version", fileVersion}, {"secret", secretToHex(users.secret)}};
  document["users"] = users.hashes;
  std::string text = document.dump(2) + "\n";
  std::string temporary = path + ".XXXXXX";
  int fd = mkstemp(&temporary[0]);  // creates it with mode 0600
  if (fd < 0) fail(path, "no temporary file can be made beside it");
  try {
    if (fchmod(fd, 0600) != 0) fail(path, "cannot restrict its mode");
    writeAll(fd, text, path);
    if (fsync(fd) != 0) fail(path, "cannot be synced");
  } catch (...) {
    ::close(fd);
    ::unlink(temporary.c_str());
    throw;
  }
  ::close(fd);
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    fail(path, "cannot be replaced");
  }
}

bool isValidUserName(const std::string &name) {
  if (name.empty() || name.size() > 64) return false;
  for (char c : name)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '@' &&
        c != '-')
      return false;
  return true;
}

}  // namespace vemro::service
