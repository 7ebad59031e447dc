#include "observation_run.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vemro::engine {
namespace {

constexpr uint64_t emptyBits = 0x7FF8'0000'E3E3'E3E3;

double emptyValue() {
  double value;
  std::memcpy(&value, &emptyBits, sizeof value);
  return value;
}

bool isEmpty(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits == emptyBits;
}

}  // namespace

// Makes room for a period, growing the run with slack on the side it grows
// so that values read in either order cost amortised O(1).
bool ObservationRun::cover(int64_t period) {
  int64_t end = base_ + static_cast<int64_t>(values_.size());
  if (count_ > 0 && period >= base_ && period < end) return true;
  int64_t low = count_ > 0 ? std::min(first_, period) : period;
  int64_t high = count_ > 0 ? std::max(last_, period) : period;
  if (high - low >= maxPeriodsPerSeries) return false;
  int64_t slack = std::min(high - low + 16, maxPeriodsPerSeries - (high - low));
  int64_t newBase = count_ > 0 && period >= base_ ? base_ : low - (count_ > 0 ? slack : 0);
  int64_t newEnd = count_ > 0 && period < end ? end : high + 1 + slack;
  std::vector<double> values(static_cast<size_t>(newEnd - newBase), emptyValue());
  if (count_ > 0) std::copy(values_.begin(), values_.end(), values.begin() + (base_ - newBase));
  values_.swap(values);
  base_ = newBase;
  return true;
}

ObservationRun::Added ObservationRun::add(int64_t period, double value) {
  if (!cover(period)) return Added::tooLong;
  double &slot = values_[static_cast<size_t>(period - base_)];
  if (!isEmpty(slot)) return Added::duplicate;
  slot = value;
  first_ = count_ == 0 ? period : std::min(first_, period);
  last_ = count_ == 0 ? period : std::max(last_, period);
  ++count_;
  return Added::yes;
}

std::vector<double> ObservationRun::takeValues() {
  if (count_ == 0) return {};
  values_.resize(static_cast<size_t>(last_ - base_ + 1));
  values_.erase(values_.begin(), values_.begin() + (first_ - base_));
  for (double &value : values_) {
    if (isEmpty(value)) value = std::nan("");
  }
  count_ = 0;
  return std::move(values_);
}

}  // namespace vemro::engine
