// The codes of a code-list chunk: comma-separated, no quoting. An empty
// text names no code; ",B" names the empty code and then B.
#pragma once

#include <string>
#include <vector>

namespace vemro::client {

std::vector<std::string> chunkCodes(const char *chunk);

}  // namespace vemro::client
