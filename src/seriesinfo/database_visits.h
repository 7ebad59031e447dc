// The visits of call_vemroSeriesInfo: each database in turn is opened and
// every series position is walked, reading the records of the series that
// belong to it. The open database is closed and opened again each time
// the count of series met reaches a multiple of the reopen interval, and
// that is where a user interrupt is noticed: it long-jumps out of the
// call, so everything these frames hold is plain data or scratch memory.
#ifndef VEMRO_SERIESINFO_DATABASE_VISITS_H
#define VEMRO_SERIESINFO_DATABASE_VISITS_H

#include <Rinternals.h>

#include "failure_lists.h"
#include "series_info_call.h"

namespace vemro {
namespace seriesinfo {

// Writes the columns of every series read with status 0 and marks it in
// written; sorts every other series met into a failure list.
void visitDatabases(const SeriesInfoCall &call, SEXP columns, FailureLists *failures,
                    unsigned char *written);

}  // namespace seriesinfo
}  // namespace vemro

#endif
