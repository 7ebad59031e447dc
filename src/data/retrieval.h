// The working state of one batch data retrieval and the pass over one
// database. Nothing here owns memory: the chunk buffer is scratch memory
// (scratch.h), because the periodic step may long-jump on an interrupt.
#ifndef VEMRO_DATA_RETRIEVAL_H
#define VEMRO_DATA_RETRIEVAL_H

#include <cstdint>

#include "../bridge/database_match.h"
#include "../bridge/vendor_library.h"
#include "data_request.h"

namespace vemro {

struct Retrieval {
  const DataRequest &request;
  const VendorLibrary &library;
  DatabaseMatch match;   // which series belong to which visited database
  char *chunk;           // the chunk buffer in direct mode, else null
  const char *pending;   // the chunk awaiting the fetch it goes with
  int chunkEnd;          // the position where the last chunk's coverage ends
  std::int64_t fetches;  // across all databases of the call
};

// Opens visited database d, fetches every series of it in position order
// into its own column, and reopens it periodically. Returns the status
// that ends the call (for apiError), 0 when the pass completed.
int visitDatabase(Retrieval &retrieval, int d);

}  // namespace vemro

#endif
