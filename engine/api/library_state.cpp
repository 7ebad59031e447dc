#include "library_state.h"

#include "../core/status.h"

namespace vemro::engine {

int LibraryState::open(const char *name) {
  close();
  if (name == nullptr) return status::noDatabase;
  std::string reason;
  database = Database::open(name, reason);
  if (!database) return status::noDatabase;
  databaseName = name;
  return status::ok;
}

Database *LibraryState::databaseFor(const char *name) {
  if (name != nullptr && !(database && databaseName == name)) open(name);
  return database.get();
}

void LibraryState::close() {
  database.reset();
  databaseName.clear();
}

LibraryState &libraryState() {
  static LibraryState state;
  return state;
}

}  // namespace vemro::engine
