// Which series belong to the database being visited. The batch calls walk
// every series position once per visited database; comparing names there
// would cost databases x series string comparisons. Instead every name is
// matched once per call: each series position and each visited database
// get the index of the first visited database whose name has the same
// bytes (case and blanks count), and a visit compares those indexes. A
// series whose database is not visited gets -1 and matches no visit.
#ifndef VEMRO_BRIDGE_DATABASE_MATCH_H
#define VEMRO_BRIDGE_DATABASE_MATCH_H

#include <cstring>
#include <string_view>
#include <unordered_map>

#include "scratch.h"

namespace vemro {

struct DatabaseMatch {
  int *seriesIds;    // scratch memory, one per series position
  int *databaseIds;  // scratch memory, one per visited database

  bool belongs(int series, int database) const {
    return seriesIds[series] == databaseIds[database];
  }
};

namespace detail {

// Neighbouring series mostly share their database: a name equal to the one
// before takes its index without a lookup.
template <typename NameAt>
void matchSeries(const std::unordered_map<std::string_view, int> &firstIndex, int count,
                 NameAt nameAt, int *ids) {
  const char *previous = nullptr;
  for (int i = 0; i < count; ++i) {
    const char *name = nameAt(i);
    if (previous && (name == previous || std::strcmp(name, previous) == 0)) {
      ids[i] = ids[i - 1];
    } else {
      auto found = firstIndex.find(name);
      ids[i] = found == firstIndex.end() ? -1 : found->second;
    }
    previous = name;
  }
}

}  // namespace detail

// seriesName(i) and databaseName(d) give NUL-terminated names. Takes its
// scratch memory first, so that nothing with a destructor is alive when
// an allocation could fail.
template <typename SeriesNameAt, typename DatabaseNameAt>
DatabaseMatch matchDatabases(int seriesCount, SeriesNameAt seriesName, int databaseCount,
                             DatabaseNameAt databaseName) {
  DatabaseMatch match{scratch<int>(seriesCount > 0 ? seriesCount : 0),
                      scratch<int>(databaseCount > 0 ? databaseCount : 0)};
  std::unordered_map<std::string_view, int> firstIndex;
  for (int d = 0; d < databaseCount; ++d)
    match.databaseIds[d] = firstIndex.emplace(databaseName(d), d).first->second;
  detail::matchSeries(firstIndex, seriesCount, seriesName, match.seriesIds);
  return match;
}

}  // namespace vemro

#endif
