// One database's pass of a batch data retrieval. Every position is
// visited, fetched or not, so that column k always receives series k and
// the periodic reopen and the chunk windows follow positions, not fetches.
#include <cstddef>

#include "../bridge/interrupt.h"
#include "../seriesinfo/codelist_chunk.h"
#include "../vendor/qvbapi.h"
#include "../vendor/qvbdapi.h"
#include "retrieval.h"

namespace vemro {

namespace {

constexpr int openFailed = 1;

int openAtHead(const Retrieval &retrieval, const char *database) {
  int status = retrieval.library.openDatabase(database);
  // The direct service's own retries would stall a batch on one bad series.
  if (retrieval.chunk) QVBDEnableRetries(0);
  return status == 0 ? 0 : openFailed;
}

// Closing and reopening keeps the library's working set small on long
// batches, and is the one point where the user may interrupt. The local
// close is the one both libraries need here.
int periodicStep(const Retrieval &retrieval, const char *database) {
  std::int64_t fetches = retrieval.fetches;
  if (fetches == 0 || fetches % retrieval.request.reopenInterval != 0) return 0;
  QVBCloseDatabase();
  checkInterrupt();
  return retrieval.library.openDatabase(database) == 0 ? 0 : openFailed;
}

// A chunk is built at every window start, and also where the last chunk's
// coverage ended early because its codes filled the buffer: the next fetch
// then still goes with the chunk that names its series first.
void prepareChunk(Retrieval &retrieval, int position, const char *database) {
  if (position % chunkWidth != 0 && position != retrieval.chunkEnd) return;
  const DataRequest &request = retrieval.request;
  retrieval.chunkEnd = buildChunk(
      retrieval.chunk, position, request.seriesCount, database,
      [&request](int i) { return request.codes[i]; },
      [&request](int i) { return request.seriesDatabases[i]; });
  retrieval.pending = retrieval.chunk;
}

int fetch(Retrieval &retrieval, int position) {
  const DataRequest &request = retrieval.request;
  double *column = request.matrix + static_cast<std::ptrdiff_t>(position) * request.stride;
  const char *database = request.seriesDatabases[position];
  ++retrieval.fetches;
  if (!retrieval.chunk)
    return QVBGetData(database, request.codes[position], request.startPeriod, request.endPeriod,
                      request.frequency, column);
  const char *chunk = retrieval.pending;
  retrieval.pending = nullptr;
  return QVBDGetData(database, chunk, request.startPeriod, request.endPeriod, request.frequency,
                     column);
}

}  // namespace

int visitDatabase(Retrieval &retrieval, int d) {
  const char *database = retrieval.request.databases[d];
  int status = openAtHead(retrieval, database);
  for (int k = 0; status == 0 && k < retrieval.request.seriesCount; ++k) {
    status = periodicStep(retrieval, database);
    if (status != 0) break;
    if (retrieval.chunk) prepareChunk(retrieval, k, database);
    if (retrieval.match.belongs(k, d)) status = fetch(retrieval, k);
  }
  return status;
}

}  // namespace vemro
