// The library's exported functions: each forwards to the process-wide
// client and turns any unexpected failure (an allocation, say) into a
// status, so no exception ever leaves the library.
#include "qvbdapi.h"

#include "direct_client.h"
#include "period_run.h"
#include "statuses.h"

using vemro::client::directClient;

namespace {

template <typename Body>
int guarded(Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return vemro::client::status::malformedAnswer;
  }
}

// R's .C hands a character vector on as its array of strings.
const char *firstString(void *vector) { return vector ? static_cast<char **>(vector)[0] : nullptr; }

}  // namespace

int QVBDEnableRetries(int flag) { return directClient().enableRetries(flag); }
int QVBDEnableAnsi(int flag) { return directClient().enableAnsi(flag); }
int QVBDGetMergeData(void) { return directClient().mergeData(); }
int QVBDSetMergeData(int setting) { return directClient().setMergeData(setting); }
int QVBDGetAggregationMode(void) { return directClient().aggregationMode(); }
int QVBDSetAggregationMode(int mode) { return directClient().setAggregationMode(mode); }
int QVBDCloseDatabase(void) { return directClient().close(); }

int QVBDGetObsNum(int firstPeriod, int lastPeriod, int frequency) {
  return vemro::engine::periodCount(firstPeriod, lastPeriod, frequency);
}

int QVBDOpenDatabase(const char *database) {
  return guarded([&] { return directClient().open(database); });
}

int QVBDAuthenticate(void *credential1, void *credential2) {
  return guarded([&] {
    return directClient().authenticate(firstString(credential1), firstString(credential2));
  });
}

int QVBDGetInfo(const char *, const char *chunk, SeriesInfo *info) {
  return guarded([&] { return directClient().info(chunk, info); });
}

int QVBDGetData(const char *, const char *chunk, int firstPeriod, int lastPeriod, int frequency,
                double *out) {
  return guarded(
      [&] { return directClient().data(chunk, firstPeriod, lastPeriod, frequency, out); });
}

int QVBDGetNames(const char *database, char *out) {
  return guarded([&] { return directClient().names(database, out); });
}
