#include "csv_fields.h"

#include <fast_float/fast_float.h>

#include <charconv>
#include <cmath>

#include "calendar.h"
#include "input_error.h"
#include "utf8_text.h"

namespace vemro::engine {
namespace {

// The value of count digits from text[from], or -1 if one is not a digit.
int digitsValue(const std::string &text, size_t from, size_t count) {
  int value = 0;
  for (size_t i = from; i < from + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool isLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeap(year) ? 29 : days[month - 1];
}

CivilDate parseCivil(const CsvReader &reader, const std::string &text) {
  bool dashed = text.size() == 10 && text[4] == '-' && text[7] == '-';
  CivilDate date{dashed ? digitsValue(text, 0, 4) : -1, dashed ? digitsValue(text, 5, 2) : -1,
                 dashed ? digitsValue(text, 8, 2) : -1};
  if (date.year < 0 || date.month < 0 || date.day < 0)
    throw InputError(reader.path(), reader.line(),
                     "date '" + excerptOf(text) + "' is not YYYY-MM-DD");
  // Year 0 has no period date: an annual date of 0 reads as "no data".
  if (date.year < 1) {
    throw InputError(reader.path(), reader.line(),
                     "date '" + text + "' is outside the years 1 to 9999");
  }
  bool valid = date.month >= 1 && date.month <= 12 && date.day >= 1 &&
               date.day <= daysInMonth(static_cast<int>(date.year), date.month);
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
  if (error == std::errc::result_out_of_range && stop == end) {
    throw InputError(reader.path(), reader.line(),
                     what + " '" + excerptOf(text) + "' is beyond the 32-bit integers");
  }
  if (text.empty() || error != std::errc() || stop != end) {
    throw InputError(reader.path(), reader.line(),
                     what + " '" + excerptOf(text) + "' is not an integer");
  }
  return value;
}

namespace {

// A finite text that reads as zero only by underflow has a non-zero digit.
bool hasNonZeroDigit(const char *from, const char *to) {
  for (; from < to && *from != 'e' && *from != 'E'; ++from) {
    if (*from >= '1' && *from <= '9') return true;
  }
  return false;
}

}  // namespace

double parseValue(const CsvReader &reader, const std::string &text) {
  if (text.empty() || (text.size() == 2 && text[0] == 'N' && text[1] == 'A')) return std::nan("");
  // The parser also reads inf, nan and their spellings, which plain
  // decimals never are: they start with a digit or a point after the sign.
  // It takes no '+' itself.
  size_t start = text[0] == '+' ? 1 : 0;
  size_t digitsAt = text[0] == '-' ? 1 : start;
  bool plain = digitsAt < text.size() &&
               ((text[digitsAt] >= '0' && text[digitsAt] <= '9') || text[digitsAt] == '.');
  double value = 0;
  const char *first = text.data() + start, *end = text.data() + text.size();
  auto [stop, error] = fast_float::from_chars(first, end, value);
  if (!plain || error != std::errc() || stop != end) {
    throw InputError(reader.path(), reader.line(),
                     "value '" + excerptOf(text) + "' is not a plain decimal number");
  }
  if (std::isinf(value) || (value == 0 && hasNonZeroDigit(first, end))) {
    throw InputError(reader.path(), reader.line(),
                     "value '" + excerptOf(text) + "' is out of the range of a double");
  }
  return value;
}

}  // namespace vemro::engine
