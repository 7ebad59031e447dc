// Resolving one frequency and one range for a set of series.
#include "range_resolution.h"

#include <algorithm>

#include "../bridge/exports.h"
#include "../bridge/scratch.h"
#include "../bridge/vendor_library.h"
#include "../calendar/frequency.h"
#include "result_columns.h"

namespace vemro {
namespace seriesinfo {
namespace {

constexpr int lowestRequested = 1000;  // asks for the lowest frequency among the series
constexpr int noFrequency = 100;       // what that gives when no series takes part
constexpr int deriveDate = -1;
constexpr int noStart = 99999999;
constexpr int noEnd = -99999999;
constexpr int weeklyFirst = 51;
constexpr int daily60 = 60;
constexpr int daily61 = 61;
constexpr int weeklyForDaily60 = 55;

enum SetAsideList : int { noDataList, higherFrequencyList, lowerFrequencyList, keptInRange };

struct Resolution {
  const int *firstDate, *lastDate, *attrA, *frequency, *attrF;
  int n;
  SEXP lists;
  int counts[3];
  unsigned char *setAside;  // one mark per series
};

void setAside(Resolution *r, SetAsideList list, int position) {
  INTEGER(VECTOR_ELT(r->lists, list + 2))[r->counts[list]++] = position;
  r->setAside[position] = 1;
}

void setAsideWithoutData(Resolution *r, const unsigned char *written) {
  for (int i = 0; i < r->n; ++i)
    if (!written[i] || r->attrA[i] == 0) setAside(r, noDataList, i);
}

// A lowest code among the weekly ones, 51 to 57, is taken as 57 and
// refined once the series are classified.
int targetFrequency(const Resolution &r, int requested) {
  if (requested != lowestRequested) return requested;
  int lowest = noFrequency;
  for (int i = 0; i < r.n; ++i)
    if (!r.setAside[i]) lowest = std::min(lowest, r.frequency[i]);
  return lowest >= weeklyFirst && lowest <= weeklyLast ? weeklyLast : lowest;
}

SetAsideList classify(int frequency, int attrF, int target, int requested, int merge) {
  int lowestKept = target == weeklyLast ? weeklyFirst : target;
  bool aggregates = attrF != 0 && attrF != 9;
  if ((merge & 1) && frequency == daily61 && target == daily60) return higherFrequencyList;
  if (!aggregates && frequency > target) return higherFrequencyList;
  if (requested < lowestRequested && frequency < lowestKept) return lowerFrequencyList;
  return keptInRange;
}

void classifyAll(Resolution *r, int target, int requested, int merge) {
  for (int i = 0; i < r->n; ++i) {
    if (r->setAside[i]) continue;
    SetAsideList list = classify(r->frequency[i], r->attrF[i], target, requested, merge);
    if (list != keptInRange) setAside(r, list, i);
  }
  int *lengths = INTEGER(VECTOR_ELT(r->lists, 1));
  std::copy(r->counts, r->counts + 3, lengths);
}

// A weekly target takes the frequency of the first series kept.
int refineWeekly(const Resolution &r, int target) {
  if (target != weeklyLast) return target;
  for (int i = 0; i < r.n; ++i) {
    if (r.setAside[i]) continue;
    if (r.frequency[i] == daily61) return weeklyLast;
    if (r.frequency[i] == daily60) return weeklyForDaily60;
    return r.frequency[i];
  }
  return weeklyLast;
}

int rangeStart(const Resolution &r, int requested) {
  if (requested != deriveDate) return requested;
  int start = noStart;
  for (int i = 0; i < r.n; ++i)
    if (!r.setAside[i]) start = std::min(start, r.firstDate[i]);
  return start;
}

int rangeEnd(const Resolution &r, int requested) {
  if (requested != deriveDate) return requested;
  int end = noEnd;
  for (int i = 0; i < r.n; ++i)
    if (!r.setAside[i]) end = std::max(end, r.lastDate[i]);
  return end;
}

int &rangeEntry(SEXP range, int element) { return INTEGER(VECTOR_ELT(range, element))[0]; }

}  // namespace

void resolveRange(const SeriesInfoCall &call, SEXP columns, const unsigned char *written) {
  Resolution r{integerColumn(columns, firstDateColumn),
               integerColumn(columns, lastDateColumn),
               integerColumn(columns, attrAColumn),
               integerColumn(columns, frequencyColumn),
               integerColumn(columns, attrFColumn),
               call.seriesCount,
               call.setAside,
               {},
               scratch<unsigned char>(call.seriesCount)};
  int requested = rangeEntry(call.range, 1);
  setAsideWithoutData(&r, written);
  int target = targetFrequency(r, requested);
  classifyAll(&r, target, requested, call.merge);
  target = refineWeekly(r, target);
  int startPeriod = ymdToQvbdate(rangeStart(r, rangeEntry(call.range, 2)), target);
  int endPeriod = ymdToQvbdate(rangeEnd(r, rangeEntry(call.range, 3)), target);
  rangeEntry(call.range, 2) = startPeriod;
  rangeEntry(call.range, 3) = endPeriod;
  rangeEntry(call.range, 1) = target;
  rangeEntry(call.range, 4) =
      vendorLibrary(call.direct).observationCount(startPeriod, endPeriod, target);
}

}  // namespace seriesinfo
}  // namespace vemro
