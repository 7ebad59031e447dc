// The service's answers, computed by the engine exactly as the local
// library computes them for the same settings.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "chunk_request.h"
#include "database.h"

namespace vemro::service {

// The largest data answer; a bigger request is refused with 413.
constexpr unsigned long long maxDataAnswerBytes = 512ULL << 20;

// {"series": [entry per code]}: the status and, for 0, the record.
nlohmann::json infoAnswer(vemro::engine::Database &database, const std::vector<std::string> &codes);

// count int32 statuses, then count blocks of `observations` float64, all
// little-endian; a block whose status is not 0 is all missing values.
// Throws RequestError 413 when the answer would be too large.
std::string dataAnswer(vemro::engine::Database &database, const ChunkRequest &request,
                       int observations);

struct NamesPage {
  std::string codes;  // comma-separated
  bool more = false;
};
// The codes after `after` (from the first with an empty one) in code
// order, as many as fit in maxBytes with a terminating NUL.
NamesPage namesPage(vemro::engine::Database &database, const std::string &after, size_t maxBytes);

}  // namespace vemro::service
