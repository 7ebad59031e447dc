// The seven failure lists of the batch series information. Positions go
// straight into the caller's integer vectors (element k + 1 of the list
// argument holds list k); the counts are kept here and written to element
// 0 once the visits are over. Plain data: it lives across the interrupt
// check.
#ifndef VEMRO_SERIESINFO_FAILURE_LISTS_H
#define VEMRO_SERIESINFO_FAILURE_LISTS_H

#include <Rinternals.h>

namespace vemro {
namespace seriesinfo {

enum FailureList : int {
  notOpenedList,  // the database did not open, or the request returned 1
  notFoundList,
  infoNotLoadedList,
  sourceNotLoadedList,  // status 4 from the direct service only
  status5List,
  status6List,
  otherStatusList,
  failureListCount
};

struct FailureLists {
  SEXP lists;
  int counts[failureListCount];
};

inline FailureLists startFailureLists(SEXP lists) { return FailureLists{lists, {}}; }

void addFailure(FailureLists *failures, FailureList list, int position);

// The list a non-zero request status puts its series in. The local library
// reports source information that did not load as information that did
// not load.
FailureList listForStatus(int status, bool direct);

void writeFailureCounts(const FailureLists &failures);

// True when lists 2 to 7 are empty: a database that did not open does not
// stop the resolution of a common range.
bool onlyNotOpenedFailures(const FailureLists &failures);

}  // namespace seriesinfo
}  // namespace vemro

#endif
