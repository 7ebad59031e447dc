// R's NA_real_: a NaN with the low word 1954. Missing observations are
// written with exactly this bit pattern so that R reads NA, not NaN.
#pragma once

#include <cstdint>
#include <cstring>

namespace vemro::engine {

constexpr uint64_t missingValueBits = 0x7FF00000000007A2ULL;

inline double missingValue() {
  double value;
  std::memcpy(&value, &missingValueBits, sizeof value);
  return value;
}

}  // namespace vemro::engine
