// Period arithmetic of the engine: every period of every listed frequency
// has an ordinal index, so counts and positions are plain subtraction and
// addition, in constant time for any 32-bit period date.
//
// Day numbers count days from 1970-01-01 in the proleptic Gregorian
// calendar. A malformed period date (month 0 or 99, day 45, quarter 7) is
// read with each part clamped into its valid range, so it still names a
// period and nothing loops or overflows (all arithmetic is 64-bit).
#pragma once

#include <cstdint>

namespace vemro::engine {

bool isListedFrequency(int frequency);
bool isWeekly(int frequency);

int64_t daysFromCivil(int64_t year, int month, int day);
struct CivilDate {
  int64_t year;
  int month;
  int day;
};
CivilDate civilFromDays(int64_t days);
// 0 = Monday ... 6 = Sunday.
int weekdayOf(int64_t days);

// Index of the period that holds the period date (or calendar day).
int64_t periodIndex(int periodDate, int frequency);
int64_t indexHoldingDay(int64_t days, int frequency);
// Day number of the last day of the period with that index.
int64_t periodEndDay(int64_t index, int frequency);
// Whether that period ends after 9999-12-31, past which no day has a
// YYYY-MM-DD form to import or export it in.
bool endsAfterYear9999(int64_t index, int frequency);
// Period date of the period with that index; may exceed 32 bits.
int64_t periodDateOf(int64_t index, int frequency);

}  // namespace vemro::engine
