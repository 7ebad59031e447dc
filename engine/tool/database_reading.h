// Opening a database for the tool's read commands, and walking its series.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "database.h"

namespace vemro::tool {

// Throws with the reason when the file cannot be used.
std::unique_ptr<engine::Database> openForReading(const std::string &name);

// Calls visit with each series' record in code order; throws if a series
// cannot be read.
void forEachSeries(engine::Database &database,
                   const std::function<void(const engine::SeriesRecord &)> &visit);

}  // namespace vemro::tool
