#include "period_run.h"

#include <cstdint>
#include <limits>

#include "calendar.h"

namespace vemro::engine {

int periodCount(int firstPeriod, int lastPeriod, int frequency) {
  if (!isListedFrequency(frequency)) return 0;
  int64_t count = periodIndex(lastPeriod, frequency) - periodIndex(firstPeriod, frequency) + 1;
  if (count <= 0) return 0;
  return count > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                 : static_cast<int>(count);
}

int periodDateAt(int startPeriod, int position, int frequency) {
  if (!isListedFrequency(frequency)) return 0;
  int64_t date = periodDateOf(periodIndex(startPeriod, frequency) + position - 1, frequency);
  bool fits = date >= std::numeric_limits<int>::min() && date <= std::numeric_limits<int>::max();
  return fits ? static_cast<int>(date) : 0;
}

}  // namespace vemro::engine
