#include "csv_fields.h"

#include <charconv>
#include <cmath>

#include "calendar.h"
#include "input_error.h"
#include "utf8_text.h"

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
    throw InputError(reader.path(), reader.line(),
                     "date '" + excerptOf(text) + "' is not YYYY-MM-DD");
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
  size_t start = !text.empty() && text[0] == '+' ? 1 : 0;
  int value = 0;
  const char *end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data() + start, end, value);
  if (text.empty() || error != std::errc() || stop != end) {
    throw InputError(reader.path(), reader.line(),
                     what + " '" + excerptOf(text) + "' is not an integer");
  }
  return value;
}

double parseValue(const CsvReader &reader, const std::string &text) {
  if (text.empty() || text == "NA") return std::nan("");
  // from_chars also reads inf, nan and their spellings, which plain decimals
  // never are: they start with a digit or a point after the sign. It takes
  // no '+' itself.
  size_t start = text[0] == '+' ? 1 : 0;
  size_t digitsAt = text[0] == '-' ? 1 : start;
  bool plain = digitsAt < text.size() &&
               ((text[digitsAt] >= '0' && text[digitsAt] <= '9') || text[digitsAt] == '.');
  double value = 0;
  const char *end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data() + start, end, value);
  if (!plain || (error != std::errc() && error != std::errc::result_out_of_range) || stop != end) {
    throw InputError(reader.path(), reader.line(),
                     "value '" + excerptOf(text) + "' is not a plain decimal number");
  }
  if (error == std::errc::result_out_of_range) {
    throw InputError(reader.path(), reader.line(),
                     "value '" + excerptOf(text) + "' is out of the range of a double");
  }
  return value;
}

}  // namespace vemro::engine
