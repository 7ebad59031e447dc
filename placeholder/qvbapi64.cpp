// Placeholder local library: no databases exist, so every request fails.
#include "qvbapi.h"

namespace {
constexpr int unavailable = 1;
}

int QVBEnableRetries(int) { return unavailable; }
int QVBEnableAnsi(int) { return unavailable; }
int QVBGetMergeData(void) { return 0; }
int QVBSetMergeData(int) { return unavailable; }
int QVBOpenDatabase(const char *) { return unavailable; }
int QVBCloseDatabase(void) { return unavailable; }
int QVBGetInfo(const char *, const char *, SeriesInfo *) { return unavailable; }
int QVBGetData(const char *, const char *, int, int, int, double *) { return unavailable; }
int QVBGetObsNum(int, int, int) { return 0; }
int QVBGetDate(int, int, int) { return 0; }
int QVBGetNextVar(const char *, const char *, SeriesInfo *) { return unavailable; }
int QVBGetAggregationMode(void) { return 0; }
int QVBSetAggregationMode(int) { return -1; }
