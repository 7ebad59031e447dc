// Percentiles of request latencies.
#pragma once

#include <vector>

namespace vemro::load {

// The nearest-rank percentile (0 < share <= 1) of sorted values; 0 when
// there are none.
double percentile(const std::vector<double> &sorted, double share);

}  // namespace vemro::load
