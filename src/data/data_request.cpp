#include "data_request.h"

#include <cstring>

#include "../seriesinfo/codelist_chunk.h"

namespace vemro {

namespace {

// A chunk holds a code and its separator, so one code alone must fit.
Failure checkChunkableCodes(const DataRequest &request) {
  for (int k = 0; k < request.seriesCount; ++k) {
    size_t length = std::strlen(request.codes[k]);
    if (length >= static_cast<size_t>(chunkBytes))
      return Failure::message(
          "series code %d is %zu bytes long; the direct service takes codes of "
          "at most %d bytes",
          k + 1, length, chunkBytes - 1);
  }
  return Failure::none();
}

}  // namespace

Failure checkDataRequest(const DataRequest &request) {
  if (request.databaseCount < 0)
    return Failure::message("database count must not be negative, not %d", request.databaseCount);
  if (request.seriesCount < 0)
    return Failure::message("series count must not be negative, not %d", request.seriesCount);
  if (request.stride < 0)
    return Failure::message("column stride must not be negative, not %d", request.stride);
  if (request.reopenInterval < 1)
    return Failure::message("reopen interval must be at least 1, not %d", request.reopenInterval);
  if (request.direct) return checkChunkableCodes(request);
  return Failure::none();
}

}  // namespace vemro
