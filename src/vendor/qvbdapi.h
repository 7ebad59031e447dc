// The direct-service client library (qvbdapi64). It mirrors the local
// library for settings, open, close, observation counts and aggregation
// modes. Series are named through a code-list chunk: the call that carries
// a chunk answers for its first code, each following call with null for
// the next code of that chunk.
#ifndef VEMRO_VENDOR_QVBDAPI_H
#define VEMRO_VENDOR_QVBDAPI_H

#include "series_info.h"
#include "vendor_export.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Status code of QVBDGetNames when no page is left. */
#define QVBD_NO_MORE_PAGES 1011
/* The most bytes that one page of QVBDGetNames takes, its terminating NUL
   included. The library never writes more at the place it is given, and
   callers always leave this much room there. */
#define QVBD_MAX_PAGE_BYTES 1000000

QVB_EXPORT int QVBDEnableRetries(int flag);
QVB_EXPORT int QVBDEnableAnsi(int flag);
QVB_EXPORT int QVBDGetMergeData(void);
QVB_EXPORT int QVBDSetMergeData(int setting);
QVB_EXPORT int QVBDOpenDatabase(const char *database);
QVB_EXPORT int QVBDCloseDatabase(void);
QVB_EXPORT int QVBDGetObsNum(int firstPeriod, int lastPeriod, int frequency);
QVB_EXPORT int QVBDGetAggregationMode(void);
QVB_EXPORT int QVBDSetAggregationMode(int mode);
/* The two credentials arrive exactly as R's .C passed them to the bridge:
   pointers to the first element of R vectors (character vectors: arrays of
   NUL-terminated strings). */
QVB_EXPORT int QVBDAuthenticate(void *credential1, void *credential2);
QVB_EXPORT int QVBDGetInfo(const char *database, const char *chunk, SeriesInfo *info);
QVB_EXPORT int QVBDGetData(const char *database, const char *chunk, int firstPeriod, int lastPeriod,
                           int frequency, double *out);
/* With a name: the first page of codes at out; with null: the next page.
   Each page is at most QVBD_MAX_PAGE_BYTES bytes, NUL included.
   0: page written; QVBD_NO_MORE_PAGES: none left; other: this page failed. */
QVB_EXPORT int QVBDGetNames(const char *database, char *out);

#ifdef __cplusplus
}
#endif

#endif
