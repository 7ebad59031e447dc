// call_vemroSeriesInfo: the information records of many series spread over
// several databases, failing series sorted into lists, and on request a
// common frequency, range and observation count. The arguments are checked
// first; a call that passes raises no error of its own, and a user
// interrupt is the only way it leaves early.
#include "../bridge/exports.h"
#include "../bridge/failure.h"
#include "../bridge/scratch.h"
#include "../bridge/vendor_library.h"
#include "database_visits.h"
#include "failure_lists.h"
#include "range_resolution.h"
#include "result_columns.h"
#include "series_info_call.h"

namespace {

using namespace vemro::seriesinfo;

SEXP seriesInfo(const SeriesInfoCall &call) {
  SEXP columns = PROTECT(allocateColumns(call.seriesCount));
  const vemro::VendorLibrary &library = vemro::vendorLibrary(call.direct);
  // The single setting comes first in every case, so a merging batch
  // makes two calls.
  int savedMerge = vemro::takeOverSettings(library, vemro::mergeSingle);
  if (call.merge != 0) library.setMergeData(vemro::mergeCombined);
  auto *written = vemro::scratch<unsigned char>(call.seriesCount);
  FailureLists failures = startFailureLists(call.failures);
  visitDatabases(call, columns, &failures, written);
  writeFailureCounts(failures);
  if (resolveRequested(call) && onlyNotOpenedFailures(failures))
    resolveRange(call, columns, written);
  vemro::restoreSettingsAndClose(library, savedMerge);
  UNPROTECT(1);
  return columns;
}

}  // namespace

SEXP call_vemroSeriesInfo(SEXP direct, SEXP failures, SEXP codes, SEXP seriesDatabases,
                          SEXP databases, SEXP databaseCount, SEXP seriesCount, SEXP merge,
                          SEXP range, SEXP setAside, SEXP reopenInterval) {
  SeriesInfoCall call;
  vemro::raiseIfFailed(readSeriesInfoCall(direct, failures, codes, seriesDatabases, databases,
                                          databaseCount, seriesCount, merge, range, setAside,
                                          reopenInterval, &call));
  return seriesInfo(call);
}
