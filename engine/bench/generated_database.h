// Generated benchmark databases: monthly series of random values whose
// codes are a prefix and a six-digit number, so that they sort in the
// order in which they are made.
#pragma once

#include <string>

namespace vemro::engine {

constexpr int benchFirstMonth = 197001;

std::string benchCode(const std::string &prefix, int i);

// Writes the database at path unless a database file is already there.
void ensureBenchDatabase(const std::string &path, const std::string &prefix, int seriesCount,
                         int observationCount);

}  // namespace vemro::engine
