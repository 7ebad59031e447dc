// Frequency codes and the form of their period dates:
//   10 annual     year                  2020
//   30 quarterly  year * 10 + quarter   20203
//   40 monthly    year * 100 + month    202007
//   51-57, 60, 61 day-based             YYYYMMDD (already a calendar date)
// Every other code is unlisted.
#ifndef VEMRO_CALENDAR_FREQUENCY_H
#define VEMRO_CALENDAR_FREQUENCY_H

namespace vemro {

enum Frequency : int { annual = 10, quarterly = 30, monthly = 40, weeklyLast = 57 };

inline bool isDayBased(int frequency) {
  return (frequency >= 51 && frequency <= 57) || frequency == 60 || frequency == 61;
}

}  // namespace vemro

#endif
