// Direct mode: which code-list chunk the next information request hands
// to the service. The service answers the k-th request after a chunk with
// the record of the chunk's k-th code, so a chunk is renewed, starting at
// the series being requested, whenever that pairing no longer holds: a
// series the chunk names went without its request (its database did not
// open), or the series lies past the chunk's coverage (the window's codes
// did not fit one chunk). Plain data: it lives across the interrupt check,
// and its buffer is scratch memory that R releases however the call ends.
#ifndef VEMRO_SERIESINFO_CHUNK_PAIRING_H
#define VEMRO_SERIESINFO_CHUNK_PAIRING_H

#include <Rinternals.h>

namespace vemro {
namespace seriesinfo {

struct ChunkPairing {
  char *buffer;  // chunkBytes of scratch memory, reused for every chunk
  SEXP codes;
  SEXP seriesDatabases;
  int count;
  const char *database;  // the database being visited
  bool pending;          // built and not yet handed over
  bool broken;           // a series the chunk names got no request
  int coverageEnd;       // the position where the chunk's codes end
};

ChunkPairing startPairing(SEXP codes, SEXP seriesDatabases, int count);

// Builds the chunk of the window that starts at position, a multiple of
// the chunk width, for the database being visited.
void startWindow(ChunkPairing *pairing, const char *database, int position);

// The series at position belongs to the database but gets no request.
inline void skipRequest(ChunkPairing *pairing) { pairing->broken = true; }

// What the request for the series at position hands over: the pending
// chunk, renewed first if the pairing broke, or null.
const char *chunkForRequest(ChunkPairing *pairing, int position);

}  // namespace seriesinfo
}  // namespace vemro

#endif
