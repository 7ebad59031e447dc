#include "chunk_codes.h"

#include <cstring>

namespace vemro::client {

std::vector<std::string> chunkCodes(const char *chunk) {
  std::vector<std::string> codes;
  if (*chunk == '\0') return codes;
  const char *start = chunk;
  for (;;) {
    const char *comma = std::strchr(start, ',');
    if (comma == nullptr) {
      codes.emplace_back(start);
      return codes;
    }
    codes.emplace_back(start, comma);
    start = comma + 1;
  }
}

}  // namespace vemro::client
