// The series list of the local pointer-style chain, as R's .C hands it
// over: the databases to visit, in order, and each series' database name
// and code by series position. R owns every string; the list only points
// into R's argument vectors for the length of one call.
#ifndef VEMRO_SERIESINFO_LOCAL_SERIES_LIST_H
#define VEMRO_SERIESINFO_LOCAL_SERIES_LIST_H

#include <cstring>

namespace vemro {

struct LocalSeriesList {
  char **databases;
  int databaseCount;
  char **seriesDatabases;
  char **codes;
  int seriesCount;

  // An exact, case-sensitive byte comparison of the series' database name.
  bool belongsTo(int series, const char *database) const {
    return std::strcmp(seriesDatabases[series], database) == 0;
  }
};

}  // namespace vemro

#endif
