// The library's exported functions: each one forwards to the engine and
// turns any unexpected failure (an allocation, say) into a status, so no
// exception ever leaves the library.
#include "qvbapi.h"

#include "../core/period_run.h"
#include "../core/status.h"
#include "library_state.h"

using namespace vemro::engine;

namespace {

constexpr int unexpectedFailure = status::seriesUnreadable;

template <typename Body>
int guarded(Body body) noexcept {
  try {
    return body();
  } catch (...) {
    return unexpectedFailure;
  }
}

int previousThenSet(int &setting, int value) {
  int previous = setting;
  setting = value;
  return previous;
}

}  // namespace

int QVBEnableRetries(int flag) { return previousThenSet(libraryState().retries, flag != 0); }

int QVBEnableAnsi(int flag) { return previousThenSet(libraryState().ansi, flag != 0); }

int QVBGetMergeData(void) { return libraryState().mergeData; }

int QVBSetMergeData(int setting) {
  if (setting != 0 && setting != 1 && setting != 3) return -1;
  return previousThenSet(libraryState().mergeData, setting);
}

int QVBOpenDatabase(const char *database) {
  return guarded([&] { return libraryState().open(database); });
}

int QVBCloseDatabase(void) {
  libraryState().close();
  return status::ok;
}

int QVBGetInfo(const char *database, const char *code, SeriesInfo *info) {
  return guarded([&] {
    if (info == nullptr) return status::badArgument;
    Database *open = libraryState().databaseFor(database);
    return open ? open->info(code, *info) : status::noDatabase;
  });
}

int QVBGetData(const char *database, const char *code, int firstPeriod, int lastPeriod,
               int frequency, double *out) {
  return guarded([&] {
    if (out == nullptr) return status::badArgument;
    LibraryState &state = libraryState();
    Database *open = state.databaseFor(database);
    if (open == nullptr) return status::noDatabase;
    return open->values(code, firstPeriod, lastPeriod, frequency, state.aggregationMode, out);
  });
}

int QVBGetObsNum(int firstPeriod, int lastPeriod, int frequency) {
  return periodCount(firstPeriod, lastPeriod, frequency);
}

int QVBGetDate(int startPeriod, int position, int frequency) {
  return periodDateAt(startPeriod, position, frequency);
}

int QVBGetNextVar(const char *database, const char *previousCode, SeriesInfo *info) {
  return guarded([&] {
    if (info == nullptr) return status::badArgument;
    Database *open = libraryState().databaseFor(database);
    if (open == nullptr) return status::noDatabase;
    return open->next(database != nullptr ? nullptr : previousCode, *info);
  });
}

int QVBGetAggregationMode(void) { return libraryState().aggregationMode; }

int QVBSetAggregationMode(int mode) {
  if (mode != strictAggregation && mode != relaxedAggregation) return -1;
  libraryState().aggregationMode = static_cast<AggregationMode>(mode);
  return mode;
}
