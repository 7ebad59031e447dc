// The two exported chunk builders, over C string arrays and R vectors.
#include "codelist_chunk.h"

#include "../bridge/exports.h"
#include "codelist_chunk_r.h"

namespace vemro {

int buildChunkFromR(char *chunk, int start, int count, SEXP codes, SEXP databases,
                    const char *database) {
  return buildChunk(
      chunk, start, count, database, [codes](int i) { return R_CHAR(STRING_ELT(codes, i)); },
      [databases](int i) { return R_CHAR(STRING_ELT(databases, i)); });
}

}  // namespace vemro

void directCodelist(char *chunk, int start, char **codes, char **databases, const char *database,
                    int count) {
  vemro::buildChunk(
      chunk, start, count, database, [codes](int i) { return codes[i]; },
      [databases](int i) { return databases[i]; });
}

void directCodelist_r(char *chunk, int start, SEXP codes, SEXP databases, const char *database,
                      int count) {
  vemro::buildChunkFromR(chunk, start, count, codes, databases, database);
}
