// Runs of consecutive periods: the count between two period dates and the
// period date at a position of a run. Both answer in constant time for any
// 32-bit input.
#pragma once

namespace vemro::engine {

// Periods from the one holding first to the one holding last, inclusive;
// 0 when last comes before first or the frequency is unlisted. Counts that
// would not fit in 32 bits are capped at the largest int.
int periodCount(int firstPeriod, int lastPeriod, int frequency);

// Period date at a 1-based position counted from the period holding start
// (position 1 is that period, 0 the one before). 0 when the frequency is
// unlisted or the result does not fit in 32 bits.
int periodDateAt(int startPeriod, int position, int frequency);

}  // namespace vemro::engine
