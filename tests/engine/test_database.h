// Helpers shared by the engine tests: a scratch folder removed at the end
// of each test, and small series records written into database files.
#pragma once

#include <string>
#include <vector>

#include "series_record.h"

namespace vemro::engine::testing {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  std::string path(const std::string &name) const { return folder_ + "/" + name; }
  std::vector<std::string> entries() const;

 private:
  std::string folder_;
};

SeriesRecord monthlySeries(const std::string &code, int firstPeriod, std::vector<double> values);
// Writes the records (sorted here) as a new database file.
void writeDatabase(const std::string &path, std::vector<SeriesRecord> records);
std::string fileBytes(const std::string &path);
void writeBytes(const std::string &path, const std::string &bytes);

}  // namespace vemro::engine::testing
