#include "local_records.h"

#include "../vendor/qvbapi.h"

namespace vemro {
namespace {

Failure infoFailure(int status, const char *code) {
  switch (status) {
    case 1:
      return Failure::message("Unable to open database");
    case 2:
      return Failure::message("Unable to load variable name %s", code);
    case 3:
      return Failure::message("Unable to load variable information");
    case 4:
      return Failure::message("Unable to load source information");
    default:
      return Failure::none();
  }
}

// A positive status closes the database first; above 4 the series still
// counts as read and the next one is requested without reopening.
Failure readSeries(const LocalSeriesList &list, int series, LocalRecords &read) {
  int status = QVBGetInfo(nullptr, list.codes[series], &read.records[series]);
  if (status > 0) {
    QVBCloseDatabase();
    Failure failure = infoFailure(status, list.codes[series]);
    if (failure.failed()) return failure;
  }
  read.filled[series] = true;
  int frequency = read.records[series].frequency;
  if (frequency < read.minFrequency) read.minFrequency = frequency;
  return Failure::none();
}

Failure readDatabase(const LocalSeriesList &list, int d, LocalRecords &read) {
  const char *database = list.databases[d];
  if (QVBOpenDatabase(database) != 0)
    return Failure::message("Could not open database %s", database);
  for (int series = 0; series < list.seriesCount; ++series) {
    if (!list.belongsTo(series, d)) continue;
    Failure failure = readSeries(list, series, read);
    if (failure.failed()) return failure;
  }
  QVBCloseDatabase();
  return Failure::none();
}

}  // namespace

Failure readLocalRecords(const LocalSeriesList &list, LocalRecords &read) {
  for (int i = 0; i < list.databaseCount; ++i) {
    Failure failure = readDatabase(list, i, read);
    if (failure.failed()) return failure;
  }
  return Failure::none();
}

}  // namespace vemro
