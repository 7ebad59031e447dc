// The series list of the local pointer-style chain, as R's .C hands it
// over: the databases to visit, in order, and each series' database name
// and code by series position. R owns every string; the list only points
// into R's argument vectors for the length of one call.
#ifndef VEMRO_SERIESINFO_LOCAL_SERIES_LIST_H
#define VEMRO_SERIESINFO_LOCAL_SERIES_LIST_H

#include "../bridge/database_match.h"

namespace vemro {

struct LocalSeriesList {
  char **databases;
  int databaseCount;
  char **seriesDatabases;
  char **codes;
  int seriesCount;
  DatabaseMatch match;

  // Whether the series' database name has the bytes of visited database d.
  bool belongsTo(int series, int d) const { return match.belongs(series, d); }
};

inline LocalSeriesList localSeriesList(char **databases, int databaseCount, char **seriesDatabases,
                                       char **codes, int seriesCount) {
  DatabaseMatch match = matchDatabases(
      seriesCount, [seriesDatabases](int i) { return seriesDatabases[i]; }, databaseCount,
      [databases](int d) { return databases[d]; });
  return {databases, databaseCount, seriesDatabases, codes, seriesCount, match};
}

}  // namespace vemro

#endif
