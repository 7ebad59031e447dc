// Placeholder direct-service library: no service is reachable, so every
// request fails.
#include "qvbdapi.h"

namespace {
constexpr int unavailable = 1;
}

int QVBDEnableRetries(int) { return unavailable; }
int QVBDEnableAnsi(int) { return unavailable; }
int QVBDGetMergeData(void) { return 0; }
int QVBDSetMergeData(int) { return unavailable; }
int QVBDOpenDatabase(const char *) { return unavailable; }
int QVBDCloseDatabase(void) { return unavailable; }
int QVBDGetObsNum(int, int, int) { return 0; }
int QVBDGetAggregationMode(void) { return 0; }
int QVBDSetAggregationMode(int) { return -1; }
int QVBDAuthenticate(void *, void *) { return unavailable; }
int QVBDGetInfo(const char *, const char *, SeriesInfo *) { return unavailable; }
int QVBDGetData(const char *, const char *, int, int, int, double *) { return unavailable; }
int QVBDGetNames(const char *, char *) { return unavailable; }
