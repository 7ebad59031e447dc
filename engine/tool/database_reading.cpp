#include "database_reading.h"

#include <stdexcept>

#include "status.h"
#include "utf8_text.h"

namespace vemro::tool {

std::unique_ptr<engine::Database> openForReading(const std::string &name) {
  std::string reason;
  std::unique_ptr<engine::Database> database = engine::Database::open(name, reason);
  if (!database) throw std::runtime_error(reason);
  return database;
}

void forEachCode(engine::Database &database,
                 const std::function<void(const std::string &)> &visit) {
  std::string previous, code;
  for (;; previous = code) {
    int found = database.codeAfter(previous, code);
    if (found == engine::status::listingOver) return;
    if (found != engine::status::ok) {
      throw std::runtime_error(
          "the list of codes is damaged after " +
          (previous.empty() ? "its start" : "'" + engine::excerptOf(previous) + "'"));
    }
    visit(code);
  }
}

void UnreadableSeries::throwIfAny(const std::string &name, const engine::Database &database) const {
  int damagedKeys = database.damagedKeys();
  if (found_.empty() && damagedKeys == 0) return;
  constexpr size_t named = 5;
  std::string message;
  if (!found_.empty()) {
    message = std::to_string(found_.size()) + " series could not be read and were left out:";
    for (size_t i = 0; i < found_.size() && i < named; ++i) {
      message += (i ? ", '" : " '") + engine::excerptOf(found_[i].code) + "' (status " +
                 std::to_string(found_[i].status) + ")";
    }
    if (found_.size() > named) message += " and " + std::to_string(found_.size() - named) + " more";
    message += "; ";
  }
  if (damagedKeys > 0) {
    message += std::to_string(damagedKeys) +
               " damaged key(s) (a code that is not text, or stands twice) were passed over; ";
  }
  throw std::runtime_error(message + "'vemro-db verify " + name + "' tells what is wrong");
}

}  // namespace vemro::tool
