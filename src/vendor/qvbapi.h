// The local database client library (qvbapi64): every function the bridge
// calls, with its argument order. Statuses are 0 for success. The library
// keeps process-wide one open database, the merge-data setting, the retry
// and ANSI switches and the aggregation mode; callers own every buffer.
#ifndef VEMRO_VENDOR_QVBAPI_H
#define VEMRO_VENDOR_QVBAPI_H

#include "series_info.h"
#include "vendor_export.h"

#ifdef __cplusplus
extern "C" {
#endif

QVB_EXPORT int QVBEnableRetries(int flag);
QVB_EXPORT int QVBEnableAnsi(int flag);
QVB_EXPORT int QVBGetMergeData(void);
QVB_EXPORT int QVBSetMergeData(int setting);
QVB_EXPORT int QVBOpenDatabase(const char *database);
QVB_EXPORT int QVBCloseDatabase(void);
/* With a database name the library opens it and leaves it open; with null
   it reads from the open database. */
QVB_EXPORT int QVBGetInfo(const char *database, const char *code, SeriesInfo *info);
/* Writes QVBGetObsNum(first, last, frequency) doubles at out. */
QVB_EXPORT int QVBGetData(const char *database, const char *code, int firstPeriod, int lastPeriod,
                          int frequency, double *out);
QVB_EXPORT int QVBGetObsNum(int firstPeriod, int lastPeriod, int frequency);
/* The period date at a 1-based position of the run counted from start. */
QVB_EXPORT int QVBGetDate(int startPeriod, int position, int frequency);
/* (name, null, info) yields the first series; (null, previous code, info)
   the next one. Non-zero ends the listing. */
QVB_EXPORT int QVBGetNextVar(const char *database, const char *previousCode, SeriesInfo *info);
QVB_EXPORT int QVBGetAggregationMode(void);
/* -1 on failure. */
QVB_EXPORT int QVBSetAggregationMode(int mode);

#ifdef __cplusplus
}
#endif

#endif
