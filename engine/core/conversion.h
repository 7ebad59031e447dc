// Writes a series' observations for a requested run of periods: a copy at
// the series' own frequency, an aggregation at a lower one. The output
// holds exactly periodCount(first, last, frequency) doubles.
#pragma once

#include "observations.h"

namespace vemro::engine {

enum AggregationMode : int {
  strictAggregation = 0,   // a period with any missing part is missing
  relaxedAggregation = 1,  // aggregate what is there; missing only when nothing is
};

enum AggregationType : int { averageOf = 1, sumOf = 2, endOf = 3, startOf = 4 };

bool canConvert(int fromFrequency, int toFrequency);

// Returns a status (status.h); writes nothing unless it returns ok.
int writeObservations(const Observations &series, int firstPeriod, int lastPeriod, int frequency,
                      AggregationMode mode, double *out);

}  // namespace vemro::engine
