// c_vemroGetData: the observations of many series, spread over several
// databases, written column by column into R's matrix.
#include "../bridge/exports.h"
#include "../bridge/scratch.h"
#include "../seriesinfo/codelist_chunk.h"
#include "retrieval.h"

namespace {

// The library writes as many doubles per series as it counts for the
// range; a smaller stride would run each column into the next one and the
// last past the end of the matrix.
vemro::Failure checkStride(const vemro::DataRequest &request,
                           const vemro::VendorLibrary &library) {
  int observations =
      library.observationCount(request.startPeriod, request.endPeriod, request.frequency);
  if (request.stride >= observations) return vemro::Failure::none();
  return vemro::Failure::message(
      "Column stride %d is smaller than the %d observations from %d to %d at frequency %d",
      request.stride, observations, request.startPeriod, request.endPeriod, request.frequency);
}

vemro::Failure getData(const vemro::DataRequest &request) {
  vemro::Failure refused = vemro::checkDataRequest(request);
  if (refused.failed()) return refused;
  const vemro::VendorLibrary &library = vemro::vendorLibrary(request.direct);
  refused = checkStride(request, library);
  if (refused.failed()) return refused;
  int saved =
      vemro::takeOverSettings(library, request.merge ? vemro::mergeCombined : vemro::mergeSingle);
  char *chunk = request.direct ? vemro::scratch<char>(vemro::chunkBytes) : nullptr;
  vemro::DatabaseMatch match = vemro::matchDatabases(
      request.seriesCount, [&request](int i) { return request.seriesDatabases[i]; },
      request.databaseCount, [&request](int d) { return request.databases[d]; });
  vemro::Retrieval retrieval{request, library, match, chunk, nullptr, 0, 0};
  for (int d = 0; d < request.databaseCount; ++d) {
    int status = vemro::visitDatabase(retrieval, d);
    if (status != 0) return vemro::Failure::api(status);
  }
  vemro::restoreSettingsAndClose(library, saved);
  return vemro::Failure::none();
}

}  // namespace

void c_vemroGetData(int *direct, double *matrix, char **codes, char **seriesDatabases,
                    char **databases, int *databaseCount, int *seriesCount, int *startPeriod,
                    int *endPeriod, int *frequency, int *merge, int *stride, int *reopenInterval) {
  vemro::raiseIfFailed(getData({direct[0], matrix, codes, seriesDatabases, databases,
                                databaseCount[0], seriesCount[0], startPeriod[0], endPeriod[0],
                                frequency[0], merge[0], stride[0], reopenInterval[0]}));
}
