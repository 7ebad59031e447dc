#include "generated_database.h"

#include <cstdio>
#include <random>

#include "database.h"
#include "database_writer.h"

namespace vemro::engine {

std::string benchCode(const std::string &prefix, int i) {
  char number[16];
  std::snprintf(number, sizeof number, "%06d", i);
  return prefix + number;
}

void ensureBenchDatabase(const std::string &path, const std::string &prefix, int seriesCount,
                         int observationCount) {
  if (!databaseFileOf(path).empty()) return;
  std::printf("generating %s ...\n", path.c_str());
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> value(0, 1000);
  DatabaseWriter writer(path);
  SeriesRecord record;
  record.frequency = 40;
  record.firstPeriod = benchFirstMonth;
  record.aggregation = 1;
  record.description = "Generated benchmark series";
  record.values.resize(observationCount);
  for (int i = 0; i < seriesCount; ++i) {
    record.code = benchCode(prefix, i);
    for (double &v : record.values) v = value(random);
    writer.add(record);
  }
  writer.commit();
}

}  // namespace vemro::engine
