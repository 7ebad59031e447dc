#include "user_commands.h"

#include <stdexcept>

#include "credentials.h"
#include "file_identity.h"
#include "users_file.h"

namespace vemro::service {
namespace {

int addUser(const UserCommand &command, std::ostream &out) {
  UsersFile users =
      identityOf(command.file).exists() ? loadUsersFile(command.file) : newUsersFile();
  std::string key = newKey();
  users.hashes[command.name] = hashOfKey(key);
  saveUsersFile(command.file, users);
  out << key << std::endl;
  return 0;
}

int removeUser(const UserCommand &command, std::ostream &errors) {
  UsersFile users = loadUsersFile(command.file);
  if (users.hashes.erase(command.name) == 0) {
    errors << "vemro-serve: no user '" << command.name << "' in " << command.file << "\n";
    return 1;
  }
  saveUsersFile(command.file, users);
  return 0;
}

}  // namespace

int runUserCommand(const UserCommand &command, std::ostream &out, std::ostream &errors) {
  if (!isValidUserName(command.name)) {
    errors << "vemro-serve: a user name has 1 to 64 letters, digits or . _ @ -\n";
    return 2;
  }
  try {
    return command.add ? addUser(command, out) : removeUser(command, errors);
  } catch (const std::exception &problem) {
    errors << "vemro-serve: " << problem.what() << "\n";
    return 1;
  }
}

}  // namespace vemro::service
