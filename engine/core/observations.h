// A series' stored observations as the engine reads them: little-endian
// float64 values, one per period from the first period on, at whatever
// alignment the storage hands out. The bytes belong to the storage and stay
// valid until its next lookup.
#pragma once

#include <cstdint>
#include <cstring>

#if __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "The engine stores observations as little-endian doubles and reads them natively."
#endif

namespace vemro::engine {

struct Observations {
  int frequency = 0;
  int firstPeriod = 0;
  int count = 0;
  int aggregation = 0;
  const unsigned char *bytes = nullptr;  // count * 8 bytes

  double at(int64_t position) const {
    double value;
    std::memcpy(&value, bytes + position * 8, sizeof value);
    return value;
  }
};

}  // namespace vemro::engine
