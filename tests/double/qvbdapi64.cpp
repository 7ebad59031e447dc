// The scripted stand-in for the direct-service library.
#include <cstring>
#include <string>

#include "qvbdapi.h"
#include "script.h"

using vemro_double::call;
using vemro_double::number;
using vemro_double::text;

namespace {

// Continuation pages are logged by their offset from the first page, so
// that tests can check where each one is asked to land.
const char *firstPage = nullptr;

// The credentials arrive as R's .C hands over character vectors.
std::string credential(void *vector) {
  return text(vector ? static_cast<char **>(vector)[0] : nullptr);
}

}  // namespace

int QVBDEnableRetries(int flag) { return call("QVBDEnableRetries", {number(flag)}).status; }
int QVBDEnableAnsi(int flag) { return call("QVBDEnableAnsi", {number(flag)}).status; }
int QVBDGetMergeData(void) { return call("QVBDGetMergeData", {}).status; }
int QVBDSetMergeData(int setting) { return call("QVBDSetMergeData", {number(setting)}).status; }
int QVBDOpenDatabase(const char *database) {
  return call("QVBDOpenDatabase", {text(database)}).status;
}
int QVBDCloseDatabase(void) { return call("QVBDCloseDatabase", {}).status; }

int QVBDGetObsNum(int firstPeriod, int lastPeriod, int frequency) {
  return call("QVBDGetObsNum", {number(firstPeriod), number(lastPeriod), number(frequency)}).status;
}

int QVBDGetAggregationMode(void) { return call("QVBDGetAggregationMode", {}).status; }
int QVBDSetAggregationMode(int mode) {
  return call("QVBDSetAggregationMode", {number(mode)}).status;
}

int QVBDAuthenticate(void *credential1, void *credential2) {
  return call("QVBDAuthenticate", {credential(credential1), credential(credential2)}).status;
}

int QVBDGetInfo(const char *database, const char *chunk, SeriesInfo *info) {
  vemro_double::Answer answer = call("QVBDGetInfo", {text(database), text(chunk)});
  if (answer.hasRecord) std::memcpy(info, &answer.record, sizeof(SeriesInfo));
  return answer.status;
}

int QVBDGetData(const char *database, const char *chunk, int firstPeriod, int lastPeriod,
                int frequency, double *out) {
  vemro_double::Answer answer = call(
      "QVBDGetData",
      {text(database), text(chunk), number(firstPeriod), number(lastPeriod), number(frequency)});
  if (!answer.data.empty())
    std::memcpy(out, answer.data.data(), answer.data.size() * sizeof(double));
  return answer.status;
}

int QVBDGetNames(const char *database, char *out) {
  if (database) firstPage = out;
  std::string place = database ? std::string("page") : "+" + std::to_string(out - firstPage);
  vemro_double::Answer answer = call("QVBDGetNames", {text(database), place});
  if (answer.hasText) std::memcpy(out, answer.text.c_str(), answer.text.size() + 1);
  return answer.status;
}
