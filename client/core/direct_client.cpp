#include "direct_client.h"

#include <algorithm>
#include <cstring>
#include <nlohmann/json.hpp>

#include "chunk_codes.h"
#include "period_run.h"
#include "statuses.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "observations are copied as they travel: little-endian float64");

namespace vemro::client {
namespace {

using nlohmann::json;

constexpr size_t maxInfoAnswerBytes = 8 << 20;
constexpr size_t maxSmallAnswerBytes = 64 << 10;
constexpr size_t maxNamesAnswerBytes = 4 << 20;

int answerStatus(const HttpAnswer &answer) {
  return answer.status != status::ok ? answer.status : status::fromHttpCode(answer.httpCode);
}

std::string lastCodeOf(const std::string &page) {
  size_t comma = page.rfind(',');
  return comma == std::string::npos ? page : page.substr(comma + 1);
}

}  // namespace

int DirectClient::enableRetries(int flag) {
  int previous = retries_;
  retries_ = flag != 0;
  session_.setRetries(retries_);
  return previous;
}

int DirectClient::enableAnsi(int flag) {
  int previous = ansi_;
  ansi_ = flag != 0;
  return previous;
}

int DirectClient::setMergeData(int setting) {
  if (setting != 0 && setting != 1 && setting != 3) return -1;
  int previous = merge_;
  merge_ = setting;
  return previous;
}

int DirectClient::setAggregationMode(int mode) {
  if (mode != 0 && mode != 1) return -1;
  aggregation_ = mode;
  return mode;
}

HttpAnswer DirectClient::send(HttpRequest request) {
  if (!token_.empty() && !session_.endpoint().safeForCredentials) {
    HttpAnswer refused;
    refused.status = status::insecureCredentials;
    return refused;
  }
  request.token = token_;
  return session_.send(request);
}

// The last chunk and the position in it survive: the bridge reopens
// periodically in the middle of a chunk and goes on with null requests.
int DirectClient::open(const char *database) {
  open_ = false;
  if (database == nullptr) return status::noDatabase;
  session_.useEndpoint(endpointFromEnvironment());
  HttpRequest request;
  request.path = "/v1/open?db=" + session_.escape(database);
  request.maxAnswerBytes = maxSmallAnswerBytes;
  HttpAnswer answer = send(request);
  int result = answerStatus(answer);
  if (result != status::ok) return result;
  json body = json::parse(answer.body, nullptr, false);
  if (!body.is_object() || !body.contains("series") || !body["series"].is_number_integer())
    return status::malformedAnswer;
  database_ = database;
  open_ = true;
  return status::ok;
}

int DirectClient::close() {
  open_ = false;
  database_.clear();
  chunk_ = PendingChunk();
  return status::ok;
}

int DirectClient::authenticate(const char *user, const char *key) {
  token_.clear();
  if (user == nullptr || key == nullptr) return status::refused;
  session_.useEndpoint(endpointFromEnvironment());
  if (!session_.endpoint().valid) return status::unreachable;
  if (!session_.endpoint().safeForCredentials) return status::insecureCredentials;
  HttpRequest request;
  request.path = "/v1/token";
  request.body = json{{"user", user}, {"key", key}}.dump();
  request.maxAnswerBytes = maxSmallAnswerBytes;
  HttpAnswer answer = session_.send(request);
  int result = answerStatus(answer);
  if (result != status::ok) return result;
  return readTokenAnswer(answer.body, &token_);
}

int DirectClient::requestChunk(PendingChunk::Kind kind, const char *chunk, int firstPeriod,
                               int lastPeriod, int frequency) {
  chunk_ = PendingChunk();
  if (!open_) return status::noDatabase;
  PendingChunk next;
  next.kind = kind;
  next.codes = chunkCodes(chunk);
  next.firstPeriod = firstPeriod, next.lastPeriod = lastPeriod, next.frequency = frequency;
  if (next.codes.empty()) {
    chunk_ = std::move(next);
    return status::ok;
  }
  json body{
      {"db", database_}, {"codes", next.codes}, {"merge", merge_}, {"aggregation", aggregation_}};
  HttpRequest request;
  if (kind == PendingChunk::Kind::info) {
    request.path = "/v1/info";
    request.maxAnswerBytes = maxInfoAnswerBytes;
  } else {
    next.observations = vemro::engine::periodCount(firstPeriod, lastPeriod, frequency);
    body["first"] = firstPeriod, body["last"] = lastPeriod, body["frequency"] = frequency;
    request.path = "/v1/data";
    size_t dataBytes = 4 * next.codes.size() + 8 * next.codes.size() * next.observations;
    // A refusal's JSON may well be longer than a small data answer.
    request.maxAnswerBytes = std::max(dataBytes, maxSmallAnswerBytes);
    request.expectedBytes = static_cast<long>(dataBytes);
  }
  request.body = body.dump();
  HttpAnswer answer = send(request);
  int result = answerStatus(answer);
  if (result != status::ok) return result;
  result =
      kind == PendingChunk::Kind::info
          ? readInfoAnswer(answer.body, next.codes.size(), &next.info)
          : checkDataAnswer(answer.body, next.codes.size(), answer.observations, next.observations);
  if (result != status::ok) return result;
  if (kind == PendingChunk::Kind::data) next.data.swap(answer.body);
  chunk_ = std::move(next);
  return status::ok;
}

int DirectClient::info(const char *chunk, SeriesInfo *out) {
  if (out == nullptr) return status::badArgument;
  if (chunk != nullptr) {
    int result = requestChunk(PendingChunk::Kind::info, chunk, 0, 0, 0);
    if (result != status::ok) return result;
  }
  return nextInfo(out);
}

int DirectClient::nextInfo(SeriesInfo *out) {
  if (chunk_.kind != PendingChunk::Kind::info || chunk_.next >= chunk_.codes.size())
    return status::noPendingChunk;
  const InfoEntry &entry = chunk_.info[chunk_.next++];
  if (entry.status == status::ok) std::memcpy(out, &entry.record, sizeof *out);
  return entry.status;
}

int DirectClient::data(const char *chunk, int firstPeriod, int lastPeriod, int frequency,
                       double *out) {
  if (out == nullptr) return status::badArgument;
  if (chunk != nullptr) {
    int result = requestChunk(PendingChunk::Kind::data, chunk, firstPeriod, lastPeriod, frequency);
    if (result != status::ok) return result;
  }
  return nextData(firstPeriod, lastPeriod, frequency, out);
}

int DirectClient::nextData(int firstPeriod, int lastPeriod, int frequency, double *out) {
  const PendingChunk &c = chunk_;
  bool sameRequest =
      c.firstPeriod == firstPeriod && c.lastPeriod == lastPeriod && c.frequency == frequency;
  if (c.kind != PendingChunk::Kind::data || c.next >= c.codes.size() || !sameRequest)
    return status::noPendingChunk;
  size_t index = chunk_.next++;
  int32_t result = dataStatusAt(c.data, index);
  if (result == status::ok)
    std::memcpy(out, dataBlockAt(c.data, c.codes.size(), index, c.observations),
                8 * static_cast<size_t>(c.observations));
  return result;
}

int DirectClient::names(const char *database, char *out) {
  if (out == nullptr) return status::badArgument;
  if (database != nullptr) {
    if (!session_.endpoint().valid) session_.useEndpoint(endpointFromEnvironment());
    names_ = NamesCursor{database, "", true, true};
  } else if (!names_.started || !names_.more) {
    return status::noMorePages;
  }
  return requestPage(out);
}

// A page that fails leaves the cursor where it was, so the next call asks
// for the same page again.
int DirectClient::requestPage(char *out) {
  HttpRequest request;
  request.path = "/v1/names?db=" + session_.escape(names_.database);
  if (!names_.lastCode.empty()) request.path += "&after=" + session_.escape(names_.lastCode);
  request.maxAnswerBytes = maxNamesAnswerBytes;
  HttpAnswer answer = send(request);
  int result = answerStatus(answer);
  if (result != status::ok) return result;
  NamesPage page;
  result = readNamesAnswer(answer.body, QVBD_MAX_PAGE_BYTES, &page);
  if (result != status::ok) return result;
  std::memcpy(out, page.codes.c_str(), page.codes.size() + 1);
  if (!page.codes.empty()) names_.lastCode = lastCodeOf(page.codes);
  names_.more = page.more && !page.codes.empty();
  return status::ok;
}

DirectClient &directClient() {
  static DirectClient client;
  return client;
}

}  // namespace vemro::client
