// One series as the database tool and the writer handle it: metadata and
// every observation from the first period on (NaN for missing). The
// library itself never builds these; it reads rows in place.
#pragma once

#include <string>
#include <vector>

namespace vemro::engine {

struct SeriesRecord {
  std::string code;
  int frequency = 0;
  int firstPeriod = 0;  // period date of values[0]; unused without values
  int aggregation = 0;  // 1 average, 2 sum, 3 end, 4 start; 0 and 9 forbid aggregation
  int changed = 0;      // date of last change, YYYYMMDD
  int decimals = 0;     // decimals worth showing
  int magnitude = 0;    // power of ten of the unit (3: thousands)
  std::string units, area, adjustment, description, base, source;
  std::vector<double> values;
};

// Period date of the last value, 0 for a series without values.
int lastPeriodOf(const SeriesRecord &record);
int missingCountOf(const SeriesRecord &record);

// Empty when the record can be stored, else what is wrong with it.
std::string problemWith(const SeriesRecord &record);
// Codes are 1 to 9 printable ASCII characters, no comma, quote or space.
std::string problemWithCode(const std::string &code);

}  // namespace vemro::engine
