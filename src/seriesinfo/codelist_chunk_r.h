// Code-list chunks over R character vectors of codes and database names,
// for the callers that need to know where the chunk's coverage ended
// (buildChunk in codelist_chunk.h tells the rules).
#ifndef VEMRO_SERIESINFO_CODELIST_CHUNK_R_H
#define VEMRO_SERIESINFO_CODELIST_CHUNK_R_H

#include <Rinternals.h>

namespace vemro {

// Fills the chunkBytes buffer from the window [start, start + chunkWidth)
// cut at count, and returns the position where its coverage ends.
int buildChunkFromR(char *chunk, int start, int count, SEXP codes, SEXP databases,
                    const char *database);

}  // namespace vemro

#endif
