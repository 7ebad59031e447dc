#include "latency_summary.h"

#include <cmath>

namespace vemro::load {

double percentile(const std::vector<double> &sorted, double share) {
  if (sorted.empty()) return 0.0;
  size_t rank = static_cast<size_t>(std::ceil(share * static_cast<double>(sorted.size())));
  return sorted[rank == 0 ? 0 : rank - 1];
}

}  // namespace vemro::load
