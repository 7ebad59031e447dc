#include "load_client.h"

#include <algorithm>
#include <random>

#include "chunk_codes.h"
#include "direct_client.h"
#include "period_run.h"
#include "qvbdapi.h"

namespace vemro::load {
namespace {

using vemro::client::DirectClient;

// Runs one call that makes one request and records its latency; a call
// answered without a request (no page left) records nothing.
template <class Call>
int timed(ClientTally &tally, RequestKind kind, Call call) {
  Clock::time_point start = Clock::now();
  int status = call();
  if (status == QVBD_NO_MORE_PAGES) return status;
  tally.latenciesMs[kind].push_back(
      std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  if (status != 0 && tally.failed++ == 0) tally.firstFailure = status;
  return status;
}

// The codes of the database, page by page, into a page buffer of
// QVBD_MAX_PAGE_BYTES.
std::vector<std::string> readNames(DirectClient &client, const std::string &database,
                                   std::vector<char> &page, ClientTally &tally) {
  std::vector<std::string> codes;
  const char *name = database.c_str();
  while (timed(tally, namesRequest, [&] { return client.names(name, page.data()); }) == 0) {
    for (std::string &code : vemro::client::chunkCodes(page.data())) codes.push_back(code);
    name = nullptr;
  }
  return codes;
}

std::string chunkOf(const std::vector<std::string> &codes, size_t first, size_t count) {
  std::string chunk;
  for (size_t i = first; i < first + count && i < codes.size(); ++i)
    chunk += (chunk.empty() ? "" : ",") + codes[i];
  return chunk;
}

// The status of the first code, or else the first other status among the
// rest of the chunk, which the client hands out without a request.
template <class Next>
int wholeChunk(int first, size_t count, Next next) {
  int status = first;
  for (size_t i = 1; i < count; ++i) {
    int each = next();
    if (status == 0) status = each;
  }
  return status;
}

bool readInfo(DirectClient &client, const std::string &chunk, size_t count, SeriesInfo *record,
              ClientTally &tally) {
  return timed(tally, infoRequest, [&] {
           SeriesInfo rest;
           return wholeChunk(client.info(chunk.c_str(), record), count,
                             [&] { return client.info(nullptr, &rest); });
         }) == 0;
}

void readData(DirectClient &client, const std::string &chunk, size_t count, const SeriesInfo &range,
              ClientTally &tally) {
  int first = range.firstPeriod, last = range.lastPeriod, frequency = range.frequency;
  // Never empty, so that a range without observations fails in the client, not here.
  std::vector<double> out(std::max(1, vemro::engine::periodCount(first, last, frequency)));
  timed(tally, dataRequest, [&] {
    return wholeChunk(client.data(chunk.c_str(), first, last, frequency, out.data()), count,
                      [&] { return client.data(nullptr, first, last, frequency, out.data()); });
  });
}

}  // namespace

const char *const requestKindNames[requestKinds] = {"open", "info", "data", "names"};

ClientTally runClient(const LoadSettings &settings, unsigned seed) {
  ClientTally tally;
  DirectClient client;
  client.enableRetries(0);
  std::vector<char> page(QVBD_MAX_PAGE_BYTES);
  std::vector<std::string> codes = readNames(client, settings.database, page, tally);
  if (codes.empty()) return tally;
  size_t count = std::min(settings.chunkCodes, codes.size());
  std::minstd_rand random(seed);
  std::uniform_int_distribution<size_t> startOf(0, codes.size() - count);
  while (Clock::now() < settings.deadline) {
    if (timed(tally, openRequest, [&] { return client.open(settings.database.c_str()); }) != 0)
      continue;
    std::string chunk = chunkOf(codes, startOf(random), count);
    SeriesInfo range;
    if (readInfo(client, chunk, count, &range, tally)) readData(client, chunk, count, range, tally);
    readNames(client, settings.database, page, tally);
  }
  return tally;
}

}  // namespace vemro::load
