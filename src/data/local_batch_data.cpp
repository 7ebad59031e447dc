// qvbGetData: the observations of a list of local series, one column per
// series position, for one range of period dates at one frequency.
//
// The library writes each series' observations from the first element of
// its column without knowing the column's length, so before the first
// database is opened the column stride is checked against the library's
// own count for the range: too small a stride would run one series into
// the next column or past the matrix. No check is needed, and no count is
// asked for, when nothing can be written (no database or no series).
#include <cstddef>

#include "../bridge/exports.h"
#include "../bridge/failure.h"
#include "../seriesinfo/local_series_list.h"
#include "../vendor/qvbapi.h"

namespace {

struct Range {
  int start, end, frequency, stride;
};

vemro::Failure checkStride(const Range &range) {
  if (range.stride < 0)
    return vemro::Failure::message("Column stride %d is negative", range.stride);
  int observations = QVBGetObsNum(range.start, range.end, range.frequency);
  if (range.stride < observations)
    return vemro::Failure::message(
        "Column stride %d is smaller than the %d observations from %d to %d at frequency %d",
        range.stride, observations, range.start, range.end, range.frequency);
  return vemro::Failure::none();
}

vemro::Failure dataFailure(int status, const char *code) {
  switch (status) {
    case 1:
      return vemro::Failure::message("Unable to open database");
    case 2:
      return vemro::Failure::message("Unable to find variable name %s", code);
    case 3:
      return vemro::Failure::message("Unable to load variable information");
    default:
      return vemro::Failure::none();
  }
}

// A positive status closes the database first; above 3 the next series
// is requested without reopening.
vemro::Failure fetchSeries(const vemro::LocalSeriesList &list, int series, const Range &range,
                           double *matrix) {
  double *column = matrix + static_cast<std::ptrdiff_t>(series) * range.stride;
  int status = QVBGetData(list.seriesDatabases[series], list.codes[series], range.start, range.end,
                          range.frequency, column);
  if (status <= 0) return vemro::Failure::none();
  QVBCloseDatabase();
  return dataFailure(status, list.codes[series]);
}

vemro::Failure fetchDatabase(const vemro::LocalSeriesList &list, int d, const Range &range,
                             double *matrix) {
  const char *database = list.databases[d];
  if (QVBOpenDatabase(database) != 0)
    return vemro::Failure::message("Could not open database %s", database);
  for (int series = 0; series < list.seriesCount; ++series) {
    if (!list.belongsTo(series, d)) continue;
    vemro::Failure failure = fetchSeries(list, series, range, matrix);
    if (failure.failed()) return failure;
  }
  QVBCloseDatabase();
  return vemro::Failure::none();
}

vemro::Failure fetchAll(const vemro::LocalSeriesList &list, const Range &range, double *matrix) {
  bool canWrite = list.databaseCount > 0 && list.seriesCount > 0;
  vemro::Failure failure = canWrite ? checkStride(range) : vemro::Failure::none();
  for (int i = 0; i < list.databaseCount && !failure.failed(); ++i)
    failure = fetchDatabase(list, i, range, matrix);
  return failure;
}

}  // namespace

void qvbGetData(char **databases, int *databaseCount, char **seriesDatabases, char **codes,
                int *seriesCount, int *start, int *end, int *frequency, int *stride,
                double *matrix) {
  vemro::LocalSeriesList list =
      vemro::localSeriesList(databases, databaseCount[0], seriesDatabases, codes, seriesCount[0]);
  Range range{start[0], end[0], frequency[0], stride[0]};
  vemro::raiseIfFailed(fetchAll(list, range, matrix));
  start[0] = qvbdateToYmd(range.start, range.frequency);
  end[0] = qvbdateToYmd(range.end, range.frequency);
}
