// Statuses returned by the library's open, information, data and listing
// calls. 0 is success; engine/README.md explains each one.
#pragma once

namespace vemro::engine::status {

constexpr int ok = 0;
constexpr int noDatabase = 1;          // unable to open the database, or none is open
constexpr int seriesNotFound = 2;      // no series with that code
constexpr int seriesUnreadable = 3;    // the series' row is damaged or inconsistent
constexpr int notAggregatable = 21;    // aggregation type 0, 9 or unknown, other frequency asked
constexpr int higherFrequency = 22;    // the frequency asked is higher than the series' own
constexpr int unlistedFrequency = 23;  // the frequency asked is not a listed code
constexpr int listingOver = 24;        // QVBGetNextVar: no further series
constexpr int badArgument = 25;        // a required pointer is null

}  // namespace vemro::engine::status
