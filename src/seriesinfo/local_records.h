// Reading the information records of a local series list, database by
// database, for getObsNum. The caller owns the records and the filled
// flags, one of each per series position, for the whole call.
#ifndef VEMRO_SERIESINFO_LOCAL_RECORDS_H
#define VEMRO_SERIESINFO_LOCAL_RECORDS_H

#include "../bridge/failure.h"
#include "../vendor/series_info.h"
#include "local_series_list.h"

namespace vemro {

constexpr int noFrequencyYet = 100;

struct LocalRecords {
  SeriesInfo *records;
  bool *filled;      // true once the series counts as read
  int minFrequency;  // the smallest frequency code of the series read
};

// Opens each listed database in turn and reads its series with a null
// database name, closing it again before acting on a failed request and
// after its last series. A series whose database is not listed is never
// read and stays unfilled.
Failure readLocalRecords(const LocalSeriesList &list, LocalRecords &read);

}  // namespace vemro

#endif
