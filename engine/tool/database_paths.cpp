#include <cstdio>
#include <stdexcept>

#include "calendar.h"
#include "commands.h"
#include "database.h"
#include "folder_check.h"
#include "schema.h"

namespace vemro::tool {

std::string databasePathFor(const std::string &name) {
  std::string existing = engine::databaseFileOf(name);
  if (!existing.empty()) return existing;
  if (engine::isFolder(name)) {
    throw std::runtime_error("'" + name + "' is a folder, not a database file");
  }
  std::string extension = engine::schema::fileExtension;
  bool hasExtension =
      name.size() > extension.size() &&
      name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
  return hasExtension ? name : name + extension;
}

std::string periodEndText(int periodDate, int frequency) {
  using namespace engine;
  CivilDate date = civilFromDays(periodEndDay(periodIndex(periodDate, frequency), frequency));
  char text[32];
  std::snprintf(text, sizeof text, "%04lld-%02d-%02d", static_cast<long long>(date.year),
                date.month, date.day);
  return text;
}

}  // namespace vemro::tool
