// The eleven arguments of call_vemroSeriesInfo, read and checked before
// any vendor call. The R objects stay owned by the caller; the lists of
// failures, the range request and the set-aside lists are written in place.
#ifndef VEMRO_SERIESINFO_SERIES_INFO_CALL_H
#define VEMRO_SERIESINFO_SERIES_INFO_CALL_H

#include <Rinternals.h>

#include "../bridge/failure.h"

namespace vemro {
namespace seriesinfo {

struct SeriesInfoCall {
  bool direct;
  SEXP failures;         // list: the seven counts, then the seven lists
  SEXP codes;            // character, one code per series position
  SEXP seriesDatabases;  // character, the database of each series position
  SEXP databases;        // character, the databases to visit, in order
  int databaseCount;
  int seriesCount;
  int merge;
  SEXP range;     // list: resolve flag, frequency, start, end, observations
  SEXP setAside;  // list: untouched, the three lengths, the three lists
  int reopenInterval;
};

// Fills call, or names the argument that is unusable. Nothing is written.
Failure readSeriesInfoCall(SEXP direct, SEXP failures, SEXP codes, SEXP seriesDatabases,
                           SEXP databases, SEXP databaseCount, SEXP seriesCount, SEXP merge,
                           SEXP range, SEXP setAside, SEXP reopenInterval, SeriesInfoCall *call);

inline bool resolveRequested(const SeriesInfoCall &call) {
  return INTEGER(VECTOR_ELT(call.range, 0))[0] != 0;
}

}  // namespace seriesinfo
}  // namespace vemro

#endif
