// The observations of one series as an import reads them, in any order: a
// dense run of periods that grows to take in each new period, with a mark
// for each period that holds a value, so that adding one costs O(1) and a
// second value for a period is seen at once. Values must not be the NaN
// that marks an empty period (parsed values never are).
#pragma once

#include <cstdint>
#include <vector>

namespace vemro::engine {

class ObservationRun {
 public:
  enum class Added { yes, duplicate, tooLong };

  // Adds a value (NaN for a missing observation) for a period index.
  Added add(int64_t period, double value);
  bool empty() const { return count_ == 0; }
  int64_t first() const { return first_; }
  // Values from the first to the last period added, NaN where none was;
  // the run is empty afterwards.
  std::vector<double> takeValues();

 private:
  bool cover(int64_t period);

  int64_t base_ = 0;  // period of values_[0]
  int64_t first_ = 0, last_ = 0;
  int64_t count_ = 0;
  // A period without a value holds a NaN of its own payload, which no
  // parsed value has: one array to touch per value, not two.
  std::vector<double> values_;
};

// The longest run of periods one series may span.
constexpr int64_t maxPeriodsPerSeries = 10'000'000;

}  // namespace vemro::engine
