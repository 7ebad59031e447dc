#include "data_request.h"

#include <cstring>

#include "../seriesinfo/codelist_chunk.h"

namespace vemro {

namespace {

Failure checkChunkableCodes(const DataRequest &request) {
  int k = firstUnchunkableCode(request.seriesCount, [&request](int i) { return request.codes[i]; });
  if (k < 0) return Failure::none();
  return Failure::message(
      "series code %d is %zu bytes long; the direct service takes codes of at most %d bytes", k + 1,
      std::strlen(request.codes[k]), chunkBytes - 1);
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
