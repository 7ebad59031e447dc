// Replaces a database file with its old series merged with new ones: a new
// series replaces the old one of the same code. The old file is read in
// code order and the whole result written at once (database_writer.h), so
// a failure anywhere leaves the old file untouched.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "series_record.h"

namespace vemro::engine {

// `incoming` must be in code order. A missing target is created. `progress`,
// when given, is called after each series written (the tests use it to
// fail or die half-way).
void mergeIntoDatabase(const std::string &target, const std::vector<SeriesRecord> &incoming,
                       const std::function<void()> &progress = {});

}  // namespace vemro::engine
