#include "test_database.h"

#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "database_writer.h"

namespace vemro::engine::testing {

ScratchFolder::ScratchFolder() {
  std::string pattern = "/tmp/vemro-engine-test-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a scratch folder");
  folder_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  for (const std::string &entry : entries()) std::remove(path(entry).c_str());
  std::remove(folder_.c_str());
}

std::vector<std::string> ScratchFolder::entries() const {
  std::vector<std::string> names;
  DIR *dir = opendir(folder_.c_str());
  while (dirent *entry = dir ? readdir(dir) : nullptr) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  if (dir) closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

SeriesRecord monthlySeries(const std::string &code, int firstPeriod, std::vector<double> values) {
  SeriesRecord record;
  record.code = code;
  record.frequency = 40;
  record.aggregation = 1;
  record.firstPeriod = firstPeriod;
  record.values = std::move(values);
  return record;
}

void writeDatabase(const std::string &path, std::vector<SeriesRecord> records) {
  std::sort(records.begin(), records.end(),
            [](const SeriesRecord &a, const SeriesRecord &b) { return a.code < b.code; });
  DatabaseWriter writer(path);
  for (const SeriesRecord &record : records) writer.add(record);
  writer.commit();
}

std::string fileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void writeBytes(const std::string &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace vemro::engine::testing
