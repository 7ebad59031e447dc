// One batch data request as R hands it over: the matrix and series lists
// stay R's; the integers are read once, at entry.
#ifndef VEMRO_DATA_DATA_REQUEST_H
#define VEMRO_DATA_DATA_REQUEST_H

#include "../bridge/failure.h"

namespace vemro {

struct DataRequest {
  int direct;
  double *matrix;  // series k's observations start at element k * stride
  char **codes;
  char **seriesDatabases;
  char **databases;  // the databases to visit, in this order
  int databaseCount;
  int seriesCount;
  int startPeriod;
  int endPeriod;
  int frequency;
  int merge;
  int stride;
  int reopenInterval;
};

// Refuses, before any vendor call, what the retrieval cannot serve safely:
// negative counts or stride, a reopen interval below 1, and in direct mode
// a code too long for any code-list chunk.
Failure checkDataRequest(const DataRequest &request);

}  // namespace vemro

#endif
