// The scripted stand-in for the local library.
#include <cstring>

#include "qvbapi.h"
#include "script.h"

using vemro_double::call;
using vemro_double::number;
using vemro_double::text;

namespace {

int answerWithRecord(const vemro_double::Answer &answer, SeriesInfo *info) {
  if (answer.hasRecord) std::memcpy(info, &answer.record, sizeof(SeriesInfo));
  return answer.status;
}

}  // namespace

int QVBEnableRetries(int flag) { return call("QVBEnableRetries", {number(flag)}).status; }
int QVBEnableAnsi(int flag) { return call("QVBEnableAnsi", {number(flag)}).status; }
int QVBGetMergeData(void) { return call("QVBGetMergeData", {}).status; }
int QVBSetMergeData(int setting) { return call("QVBSetMergeData", {number(setting)}).status; }
int QVBOpenDatabase(const char *database) {
  return call("QVBOpenDatabase", {text(database)}).status;
}
int QVBCloseDatabase(void) { return call("QVBCloseDatabase", {}).status; }

int QVBGetInfo(const char *database, const char *code, SeriesInfo *info) {
  return answerWithRecord(call("QVBGetInfo", {text(database), text(code)}), info);
}

int QVBGetData(const char *database, const char *code, int firstPeriod, int lastPeriod,
               int frequency, double *out) {
  vemro_double::Answer answer = call("QVBGetData", {text(database), text(code), number(firstPeriod),
                                                    number(lastPeriod), number(frequency)});
  if (!answer.data.empty())
    std::memcpy(out, answer.data.data(), answer.data.size() * sizeof(double));
  return answer.status;
}

int QVBGetObsNum(int firstPeriod, int lastPeriod, int frequency) {
  return call("QVBGetObsNum", {number(firstPeriod), number(lastPeriod), number(frequency)}).status;
}

int QVBGetDate(int startPeriod, int position, int frequency) {
  return call("QVBGetDate", {number(startPeriod), number(position), number(frequency)}).status;
}

int QVBGetNextVar(const char *database, const char *previousCode, SeriesInfo *info) {
  return answerWithRecord(call("QVBGetNextVar", {text(database), text(previousCode)}), info);
}

int QVBGetAggregationMode(void) { return call("QVBGetAggregationMode", {}).status; }
int QVBSetAggregationMode(int mode) { return call("QVBSetAggregationMode", {number(mode)}).status; }
