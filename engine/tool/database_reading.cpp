#include "database_reading.h"

#include <stdexcept>

#include "status.h"

namespace vemro::tool {

std::unique_ptr<engine::Database> openForReading(const std::string &name) {
  std::string reason;
  std::unique_ptr<engine::Database> database = engine::Database::open(name, reason);
  if (!database) throw std::runtime_error(reason);
  return database;
}

void forEachSeries(engine::Database &database,
                   const std::function<void(const engine::SeriesRecord &)> &visit) {
  std::string previous;
  SeriesInfo info;
  engine::SeriesRecord record;
  for (;;) {
    int found = database.next(previous.empty() ? nullptr : previous.c_str(), info);
    if (found == engine::status::listingOver) return;
    if (found != engine::status::ok) {
      throw std::runtime_error("the series after '" + previous + "' is unreadable (status " +
                               std::to_string(found) + ")");
    }
    previous = info.code;
    found = database.record(info.code, record);
    if (found != engine::status::ok) {
      throw std::runtime_error("series '" + previous + "' is unreadable (status " +
                               std::to_string(found) + ")");
    }
    visit(record);
  }
}

}  // namespace vemro::tool
