// The bridge's exported names: the only symbols that Vemro.so exports
// (exports.map enforces it at link time). Everything else is hidden.
#ifndef VEMRO_BRIDGE_EXPORTS_H
#define VEMRO_BRIDGE_EXPORTS_H

#include <Rinternals.h>

#define VEMRO_EXPORT extern "C" __attribute__((visibility("default")))

VEMRO_EXPORT const int QVBDchunk;

VEMRO_EXPORT void c_vemroCVersion(int *version);
VEMRO_EXPORT void apiError(int code) __attribute__((noreturn));

VEMRO_EXPORT void c_vemroCloseDb(int *status);
VEMRO_EXPORT void c_vemroAuthenticate(void *credential1, void *credential2, int *status);
VEMRO_EXPORT void qvbGetAggregation(int *mode);
VEMRO_EXPORT void qvbSetAggregation(int *mode);
VEMRO_EXPORT void c_getAggmode(int *direct, int *mode);
VEMRO_EXPORT void c_setAggmode(int *direct, int *mode);

VEMRO_EXPORT int isLeapYear(int year);
VEMRO_EXPORT int qvbdateToYmd(int periodDate, int frequency);
VEMRO_EXPORT int ymdToQvbdate(int calendarDate, int frequency);
VEMRO_EXPORT void c_vemroDateSeq(int *start, int *count, int *frequency, int *dates);

VEMRO_EXPORT void directCodelist(char *chunk, int start, char **codes, char **databases,
                                 const char *database, int count);
VEMRO_EXPORT void directCodelist_r(char *chunk, int start, SEXP codes, SEXP databases,
                                   const char *database, int count);

VEMRO_EXPORT SEXP call_vemroSeriesInfo(SEXP direct, SEXP failures, SEXP codes, SEXP seriesDatabases,
                                       SEXP databases, SEXP databaseCount, SEXP seriesCount,
                                       SEXP merge, SEXP range, SEXP setAside, SEXP reopenInterval);
VEMRO_EXPORT void qvbGetInfo(char **database, char **code, int *firstDate, int *lastDate,
                             int *attrA, int *frequency, int *attrB, int *attrC, int *attrD,
                             int *attrE, int *attrF, char **textA, char **textB, char **textC,
                             char **textD, char **textE, char **textF);
VEMRO_EXPORT void getObsNum(char **databases, int *databaseCount, char **seriesDatabases,
                            char **codes, int *seriesCount, int *start, int *end, int *frequency,
                            int *observations);
VEMRO_EXPORT void c_vemroGetData(int *direct, double *matrix, char **codes, char **seriesDatabases,
                                 char **databases, int *databaseCount, int *seriesCount,
                                 int *startPeriod, int *endPeriod, int *frequency, int *merge,
                                 int *stride, int *reopenInterval);
VEMRO_EXPORT void qvbGetData(char **databases, int *databaseCount, char **seriesDatabases,
                             char **codes, int *seriesCount, int *start, int *end, int *frequency,
                             int *stride, double *matrix);
VEMRO_EXPORT SEXP call_vemroGetCodes(SEXP direct, SEXP database);

#endif
