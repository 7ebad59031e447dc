#include "series_answers.h"

#include <algorithm>
#include <cstring>

#include "conversion.h"
#include "missing_value.h"
#include "request_error.h"
#include "status.h"

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "observations travel as they lie in memory: little-endian float64");

namespace vemro::service {
namespace {

namespace status = vemro::engine::status;
using nlohmann::json;

// Packed fields are passed by value: a reference to one would be misaligned.
json number(int32_t value) { return value; }

json recordEntry(const SeriesInfo &r) {
  return {{"status", 0},
          {"code", r.code},
          {"firstPeriod", number(r.firstPeriod)},
          {"lastPeriod", number(r.lastPeriod)},
          {"attrA", number(r.attrA)},
          {"frequency", number(r.frequency)},
          {"attrB", number(r.attrB)},
          {"attrC", number(r.attrC)},
          {"attrD", number(r.attrD)},
          {"attrE", number(r.attrE)},
          {"attrF", number(r.attrF)},
          {"textA", r.textA},
          {"textB", r.textB},
          {"textC", r.textC},
          {"textD", r.textD},
          {"textE", r.textE},
          {"textF", r.textF}};
}

// The statuses a data answer may carry; anything else the engine might
// say is a series that cannot be read.
int32_t dataStatus(int engineStatus) {
  switch (engineStatus) {
    case status::ok:
    case status::seriesNotFound:
    case status::seriesUnreadable:
    case status::notAggregatable:
    case status::higherFrequency:
    case status::unlistedFrequency:
      return engineStatus;
    default:
      return status::seriesUnreadable;
  }
}

}  // namespace

json infoAnswer(vemro::engine::Database &database, const std::vector<std::string> &codes) {
  json series = json::array();
  for (const std::string &code : codes) {
    SeriesInfo record;
    int found = database.info(code.c_str(), record);
    if (found == status::ok)
      series.push_back(recordEntry(record));
    else
      series.push_back(
          {{"status", found == status::seriesNotFound ? found : status::seriesUnreadable}});
  }
  return {{"series", series}};
}

std::string dataAnswer(vemro::engine::Database &database, const ChunkRequest &request,
                       int observations) {
  size_t count = request.codes.size();
  unsigned long long bytes = 4ULL * count + 8ULL * count * static_cast<unsigned>(observations);
  if (bytes > maxDataAnswerBytes)
    throw RequestError(
        413, "the answer would exceed " + std::to_string(maxDataAnswerBytes >> 20) + " MiB");
  std::string answer(bytes, '\0');
  std::vector<double> block(static_cast<size_t>(observations));
  const size_t blockBytes = 8 * block.size();
  for (size_t i = 0; i < count; ++i) {
    // A buffer of its own: the answer's blocks are not aligned for double.
    int32_t result =
        dataStatus(database.values(request.codes[i].c_str(), request.firstPeriod,
                                   request.lastPeriod, request.frequency, request.aggregation,
                                   block.data()));
    if (result != status::ok) std::fill(block.begin(), block.end(), vemro::engine::missingValue());
    std::memcpy(&answer[4 * i], &result, 4);
    if (blockBytes > 0) std::memcpy(&answer[4 * count + i * blockBytes], block.data(), blockBytes);
  }
  return answer;
}

NamesPage namesPage(vemro::engine::Database &database, const std::string &after, size_t maxBytes) {
  NamesPage page;
  std::string previous = after;
  SeriesInfo record;
  for (;;) {
    int found = database.next(previous.empty() ? nullptr : previous.c_str(), record);
    if (found == status::listingOver) return page;
    if (found != status::ok) {
      if (page.codes.empty()) throw RequestError(500, "the series listing is damaged");
      page.more = true;  // the damaged entry comes first on the next page
      return page;
    }
    size_t length = std::strlen(record.code);
    size_t needed = page.codes.size() + (page.codes.empty() ? 0 : 1) + length + 1;
    if (needed > maxBytes) {
      page.more = true;
      return page;
    }
    if (!page.codes.empty()) page.codes += ',';
    page.codes += record.code;
    previous = record.code;
  }
}

}  // namespace vemro::service
