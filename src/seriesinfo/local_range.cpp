// getObsNum: the frequency, period-date range and observation count at
// which qvbGetData can fetch a list of local series into one matrix.
//
// The records of every series are held at once, in R's transient memory,
// which R releases however the call ends. Only records that were read are
// used: a series whose database is not listed (or every series, when no
// database is) takes no part in the range, just as qvbGetData sends it no
// request. All four outputs are written only once every record is read.
#include "../bridge/exports.h"
#include "../bridge/scratch.h"
#include "../vendor/qvbapi.h"
#include "local_records.h"

namespace {

constexpr int fromSeries = -1;
constexpr int noStartYet = 99999999;
constexpr int noEndYet = -99999999;

// The period of `frequency` that holds the last day of a series' period.
int periodOf(int seriesPeriod, int seriesFrequency, int frequency) {
  return ymdToQvbdate(qvbdateToYmd(seriesPeriod, seriesFrequency), frequency);
}

int resolveStart(int start, int frequency, const vemro::LocalRecords &read, int seriesCount) {
  if (start != fromSeries) return ymdToQvbdate(start, frequency);
  int earliest = noStartYet;
  for (int i = 0; i < seriesCount; ++i) {
    if (!read.filled[i]) continue;
    int period = periodOf(read.records[i].firstPeriod, read.records[i].frequency, frequency);
    if (period < earliest) earliest = period;
  }
  return earliest;
}

int resolveEnd(int end, int frequency, const vemro::LocalRecords &read, int seriesCount) {
  if (end != fromSeries) return ymdToQvbdate(end, frequency);
  int latest = noEndYet;
  for (int i = 0; i < seriesCount; ++i) {
    if (!read.filled[i]) continue;
    int period = periodOf(read.records[i].lastPeriod, read.records[i].frequency, frequency);
    if (period > latest) latest = period;
  }
  return latest;
}

vemro::Failure resolveRange(const vemro::LocalSeriesList &list, int *start, int *end,
                            int *frequency, int *observations) {
  // A negative series count means no series, not a vast allocation.
  size_t records = list.seriesCount > 0 ? static_cast<size_t>(list.seriesCount) : 0;
  vemro::LocalRecords read{vemro::scratch<SeriesInfo>(records), vemro::scratch<bool>(records),
                           vemro::noFrequencyYet};
  vemro::Failure failure = vemro::readLocalRecords(list, read);
  if (failure.failed()) return failure;
  // A requested frequency is lowered to the coarsest series', never raised.
  int chosen = frequency[0] > read.minFrequency ? read.minFrequency : frequency[0];
  int first = resolveStart(start[0], chosen, read, list.seriesCount);
  int last = resolveEnd(end[0], chosen, read, list.seriesCount);
  frequency[0] = chosen;
  start[0] = first;
  end[0] = last;
  observations[0] = QVBGetObsNum(first, last, chosen);
  return vemro::Failure::none();
}

}  // namespace

void getObsNum(char **databases, int *databaseCount, char **seriesDatabases, char **codes,
               int *seriesCount, int *start, int *end, int *frequency, int *observations) {
  vemro::LocalSeriesList list =
      vemro::localSeriesList(databases, databaseCount[0], seriesDatabases, codes, seriesCount[0]);
  vemro::raiseIfFailed(resolveRange(list, start, end, frequency, observations));
}
