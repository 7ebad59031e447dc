#include "chunk_request.h"

#include <climits>
#include <nlohmann/json.hpp>

#include "request_error.h"

namespace vemro::service {
namespace {

using nlohmann::json;

[[noreturn]] void badField(const char *name, const char *want) {
  throw RequestError(400, std::string("field '") + name + "' must be " + want);
}

const json &field(const json &body, const char *name) {
  auto found = body.find(name);
  if (found == body.end()) throw RequestError(400, std::string("field '") + name + "' is missing");
  return *found;
}

int intField(const json &body, const char *name) {
  const json &value = field(body, name);
  if (!value.is_number_integer()) badField(name, "an integer");
  long long number = value.get<long long>();
  if (number < INT_MIN || number > INT_MAX) badField(name, "a 32-bit integer");
  return static_cast<int>(number);
}

std::string textField(const json &body, const char *name) {
  const json &value = field(body, name);
  if (!value.is_string()) badField(name, "a string");
  return value.get<std::string>();
}

std::vector<std::string> codesField(const json &body) {
  const json &value = field(body, "codes");
  if (!value.is_array()) badField("codes", "an array of strings");
  if (value.size() > maxCodesPerChunk)
    throw RequestError(413, "at most " + std::to_string(maxCodesPerChunk) + " codes per request");
  std::vector<std::string> codes;
  codes.reserve(value.size());
  for (const json &code : value) {
    // A NUL would cut the code short on its way into the engine.
    if (!code.is_string() || code.get_ref<const std::string &>().find('\0') != std::string::npos)
      badField("codes", "an array of strings without NUL");
    codes.push_back(code.get<std::string>());
  }
  return codes;
}

}  // namespace

ChunkRequest parseChunkRequest(const std::string &body, bool withPeriods) {
  json parsed = json::parse(body, nullptr, false);
  if (parsed.is_discarded() || !parsed.is_object())
    throw RequestError(400, "the body must be a JSON object");
  ChunkRequest request;
  request.database = textField(parsed, "db");
  request.codes = codesField(parsed);
  // The engine reads each series whole whatever the merge setting, so it
  // is only checked.
  int merge = intField(parsed, "merge");
  if (merge != 0 && merge != 1 && merge != 3)
    badField("merge", "0, 1 or 3");
  int aggregation = intField(parsed, "aggregation");
  if (aggregation != vemro::engine::strictAggregation &&
      aggregation != vemro::engine::relaxedAggregation)
    badField("aggregation", "0 (strict) or 1 (relaxed)");
  request.aggregation = static_cast<vemro::engine::AggregationMode>(aggregation);
  if (withPeriods) {
    request.firstPeriod = intField(parsed, "first");
    request.lastPeriod = intField(parsed, "last");
    request.frequency = intField(parsed, "frequency");
  }
  return request;
}

}  // namespace vemro::service
