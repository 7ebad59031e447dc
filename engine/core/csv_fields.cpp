#include "csv_fields.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "calendar.h"
#include "input_error.h"

namespace vemro::engine {
namespace {

bool isDigits(const std::string &text, size_t from, size_t count) {
  for (size_t i = from; i < from + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

CivilDate parseCivil(const CsvReader &reader, const std::string &text) {
  bool shaped = text.size() == 10 && text[4] == '-' && text[7] == '-' && isDigits(text, 0, 4) &&
                isDigits(text, 5, 2) && isDigits(text, 8, 2);
  if (!shaped)
    throw InputError(reader.path(), reader.line(), "date '" + text + "' is not YYYY-MM-DD");
  CivilDate date{std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)),
                 std::stoi(text.substr(8, 2))};
  CivilDate roundTrip = civilFromDays(daysFromCivil(date.year, date.month, date.day));
  bool valid = date.month >= 1 && date.month <= 12 && date.day >= 1 && roundTrip.day == date.day &&
               roundTrip.month == date.month;
  if (!valid) throw InputError(reader.path(), reader.line(), "date '" + text + "' does not exist");
  return date;
}

}  // namespace

int64_t parseDay(const CsvReader &reader, const std::string &text) {
  CivilDate date = parseCivil(reader, text);
  return daysFromCivil(date.year, date.month, date.day);
}

int parseDateNumber(const CsvReader &reader, const std::string &text) {
  CivilDate date = parseCivil(reader, text);
  return static_cast<int>(date.year * 10000 + date.month * 100 + date.day);
}

int parseInteger(const CsvReader &reader, const std::string &what, const std::string &text) {
  char *end = nullptr;
  errno = 0;
  long value = std::strtol(text.c_str(), &end, 10);
  bool valid = !text.empty() && *end == '\0' && errno == 0 &&
               value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
  if (!valid) {
    throw InputError(reader.path(), reader.line(), what + " '" + text + "' is not an integer");
  }
  return static_cast<int>(value);
}

double parseValue(const CsvReader &reader, const std::string &text) {
  if (text.empty() || text == "NA") return std::nan("");
  char *end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !std::isfinite(value)) {
    throw InputError(reader.path(), reader.line(), "value '" + text + "' is not a finite number");
  }
  return value;
}

}  // namespace vemro::engine
