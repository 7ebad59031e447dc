// The JSON body of /v1/info and /v1/data: the database, the chunk's codes,
// the client's settings and, for data, the periods and the frequency.
#pragma once

#include <string>
#include <vector>

#include "conversion.h"

namespace vemro::service {

constexpr size_t maxCodesPerChunk = 10000;

struct ChunkRequest {
  std::string database;
  std::vector<std::string> codes;
  vemro::engine::AggregationMode aggregation = vemro::engine::strictAggregation;
  int firstPeriod = 0, lastPeriod = 0, frequency = 0;
};

// Throws RequestError: 400 for a malformed body or a wrong field, 413 for
// too many codes.
ChunkRequest parseChunkRequest(const std::string &body, bool withPeriods);

}  // namespace vemro::service
