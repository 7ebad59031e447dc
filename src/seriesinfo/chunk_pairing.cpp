// Keeping requests paired with the series positions their chunk names.
#include "chunk_pairing.h"

#include <algorithm>
#include <cstdint>

#include "../bridge/scratch.h"
#include "codelist_chunk.h"
#include "codelist_chunk_r.h"

namespace vemro {
namespace seriesinfo {
namespace {

void buildPending(ChunkPairing *pairing, int position, int limit) {
  pairing->coverageEnd = buildChunkFromR(pairing->buffer, position, limit, pairing->codes,
                                         pairing->seriesDatabases, pairing->database);
  pairing->pending = true;
  pairing->broken = false;
}

// A renewed chunk stops where the next window starts, so windows still
// begin at every multiple of the chunk width.
int nextWindowStart(int position, int count) {
  int64_t next = (int64_t{position} / chunkWidth + 1) * chunkWidth;
  return static_cast<int>(std::min<int64_t>(next, count));
}

}  // namespace

ChunkPairing startPairing(SEXP codes, SEXP seriesDatabases, int count) {
  return ChunkPairing{
      scratch<char>(chunkBytes), codes, seriesDatabases, count, "", false, false, 0};
}

void startWindow(ChunkPairing *pairing, const char *database, int position) {
  pairing->database = database;
  buildPending(pairing, position, pairing->count);
}

const char *chunkForRequest(ChunkPairing *pairing, int position) {
  if (pairing->broken || position >= pairing->coverageEnd)
    buildPending(pairing, position, nextWindowStart(position, pairing->count));
  const char *handed = pairing->pending ? pairing->buffer : nullptr;
  pairing->pending = false;
  return handed;
}

}  // namespace seriesinfo
}  // namespace vemro
