// Checksums that tell a damaged series row from a sound one. Each row
// carries two XXH3 checksums: one over its information (code, the nine
// integers, the six texts and the observations' length), one over its
// observations, seeded by the code and the integers that a data read uses.
// An information read so hashes no observations and a data read no texts,
// and together they cover the whole row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vemro::engine {

struct InfoFields {
  std::string_view code;
  // first period, last period, count, frequency, changed, decimals,
  // magnitude, missing count, aggregation: the order of the table's columns.
  int integers[9];
  std::string_view texts[6];
  int64_t observationBytes;
};

int64_t infoCheck(const InfoFields &fields);
int64_t dataCheck(std::string_view code, int frequency, int firstPeriod, int count, int aggregation,
                  const void *bytes, size_t byteCount);

}  // namespace vemro::engine
