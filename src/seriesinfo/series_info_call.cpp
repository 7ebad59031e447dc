// Reading the arguments of call_vemroSeriesInfo. Every size the call relies
// on is checked here, so that the visits never write past an R vector.
#include "series_info_call.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "codelist_chunk.h"
#include "failure_lists.h"

namespace vemro {
namespace seriesinfo {
namespace {

bool isVectorOf(SEXP x, int type, int64_t length) {
  return TYPEOF(x) == type && Rf_xlength(x) >= length;
}

bool isIntegerList(SEXP list, int from, int to, int64_t length) {
  for (int k = from; k <= to; ++k)
    if (!isVectorOf(VECTOR_ELT(list, k), INTSXP, length)) return false;
  return true;
}

// Each visit enters a failing series in a list again, so a database named
// more than once can need more entries than there are series.
int64_t failureEntriesNeeded(SEXP seriesDatabases, SEXP databases, int databaseCount, int n) {
  std::vector<const char *> names;
  for (int d = 0; d < databaseCount; ++d) names.push_back(R_CHAR(STRING_ELT(databases, d)));
  std::sort(names.begin(), names.end(),
            [](const char *a, const char *b) { return std::strcmp(a, b) < 0; });
  auto same = [](const char *a, const char *b) { return std::strcmp(a, b) == 0; };
  if (std::adjacent_find(names.begin(), names.end(), same) == names.end()) return n;
  int64_t visits = 0;
  for (const char *name : names)
    for (int i = 0; i < n; ++i) visits += same(R_CHAR(STRING_ELT(seriesDatabases, i)), name);
  return std::max<int64_t>(visits, n);
}

Failure checkCounts(int seriesCount, int databaseCount, int reopenInterval) {
  if (seriesCount == NA_INTEGER || seriesCount < 0)
    return Failure::message("`seriesCount` must be a whole number of at least 0");
  if (databaseCount == NA_INTEGER || databaseCount < 0)
    return Failure::message("`databaseCount` must be a whole number of at least 0");
  if (reopenInterval == NA_INTEGER || reopenInterval < 1)
    return Failure::message("`reopenInterval` must be a whole number of at least 1");
  return Failure::none();
}

Failure checkNames(const SeriesInfoCall &call) {
  int n = call.seriesCount;
  if (!isVectorOf(call.codes, STRSXP, n))
    return Failure::message("`codes` must be a character vector of at least %d elements", n);
  if (!isVectorOf(call.seriesDatabases, STRSXP, n))
    return Failure::message("`seriesDatabases` must be a character vector of at least %d elements",
                            n);
  if (!isVectorOf(call.databases, STRSXP, call.databaseCount))
    return Failure::message("`databases` must be a character vector of at least %d elements",
                            call.databaseCount);
  return Failure::none();
}

Failure checkChunkableCodes(const SeriesInfoCall &call) {
  auto codeAt = [&call](int i) { return R_CHAR(STRING_ELT(call.codes, i)); };
  int i = firstUnchunkableCode(call.seriesCount, codeAt);
  if (i < 0) return Failure::none();
  return Failure::message(
      "`codes` element %d is %zu bytes long; the direct service takes codes of at most %d bytes",
      i + 1, std::strlen(codeAt(i)), chunkBytes - 1);
}

Failure checkFailureLists(const SeriesInfoCall &call) {
  int64_t needed = failureEntriesNeeded(call.seriesDatabases, call.databases, call.databaseCount,
                                        call.seriesCount);
  if (!isVectorOf(call.failures, VECSXP, failureListCount + 1) ||
      !isVectorOf(VECTOR_ELT(call.failures, 0), INTSXP, failureListCount) ||
      !isIntegerList(call.failures, 1, failureListCount, needed))
    return Failure::message(
        "`failures` must be a list of 8 integer vectors: 7 counts, then 7 lists of at least "
        "%lld entries",
        static_cast<long long>(needed));
  return Failure::none();
}

Failure checkRangeLists(const SeriesInfoCall &call) {
  if (!isVectorOf(call.range, VECSXP, 5) || !isIntegerList(call.range, 0, 4, 1))
    return Failure::message("`range` must be a list of 5 integer vectors of at least 1 entry");
  if (!resolveRequested(call)) return Failure::none();
  if (!isVectorOf(call.setAside, VECSXP, 5) || !isIntegerList(call.setAside, 1, 1, 3) ||
      !isIntegerList(call.setAside, 2, 4, call.seriesCount))
    return Failure::message(
        "`setAside` must be a list of 5 elements whose elements 2 to 5 are integer vectors: 3 "
        "lengths, then 3 lists of at least %d entries",
        call.seriesCount);
  return Failure::none();
}

}  // namespace

Failure readSeriesInfoCall(SEXP direct, SEXP failures, SEXP codes, SEXP seriesDatabases,
                           SEXP databases, SEXP databaseCount, SEXP seriesCount, SEXP merge,
                           SEXP range, SEXP setAside, SEXP reopenInterval, SeriesInfoCall *call) {
  *call = SeriesInfoCall{Rf_asInteger(direct) != 0,
                         failures,
                         codes,
                         seriesDatabases,
                         databases,
                         Rf_asInteger(databaseCount),
                         Rf_asInteger(seriesCount),
                         Rf_asInteger(merge),
                         range,
                         setAside,
                         Rf_asInteger(reopenInterval)};
  Failure failure = checkCounts(call->seriesCount, call->databaseCount, call->reopenInterval);
  if (!failure.failed()) failure = checkNames(*call);
  if (!failure.failed() && call->direct) failure = checkChunkableCodes(*call);
  if (!failure.failed()) failure = checkFailureLists(*call);
  if (!failure.failed()) failure = checkRangeLists(*call);
  return failure;
}

}  // namespace seriesinfo
}  // namespace vemro
