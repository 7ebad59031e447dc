// Sorting failing series into their lists.
#include "failure_lists.h"

namespace vemro {
namespace seriesinfo {

void addFailure(FailureLists *failures, FailureList list, int position) {
  INTEGER(VECTOR_ELT(failures->lists, list + 1))[failures->counts[list]++] = position;
}

FailureList listForStatus(int status, bool direct) {
  switch (status) {
    case 1:
      return notOpenedList;
    case 2:
      return notFoundList;
    case 3:
      return infoNotLoadedList;
    case 4:
      return direct ? sourceNotLoadedList : infoNotLoadedList;
    case 5:
      return status5List;
    case 6:
      return status6List;
    default:
      return otherStatusList;
  }
}

void writeFailureCounts(const FailureLists &failures) {
  int *counts = INTEGER(VECTOR_ELT(failures.lists, 0));
  for (int list = 0; list < failureListCount; ++list) counts[list] = failures.counts[list];
}

bool onlyNotOpenedFailures(const FailureLists &failures) {
  for (int list = notFoundList; list < failureListCount; ++list)
    if (failures.counts[list] != 0) return false;
  return true;
}

}  // namespace seriesinfo
}  // namespace vemro
