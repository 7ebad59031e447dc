// The interface version and the chunk width published to callers.
#include "../seriesinfo/codelist_chunk.h"
#include "exports.h"

namespace {
constexpr int interfaceVersion = 18;
}

// Series codes that one code-list request to the direct service covers.
const int QVBDchunk = vemro::chunkWidth;

void c_vemroCVersion(int *version) { version[0] = interfaceVersion; }
