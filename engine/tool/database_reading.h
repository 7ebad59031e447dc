// Opening a database for the tool's read commands, and walking its series.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "database.h"

namespace vemro::tool {

// Throws with the reason when the file cannot be used.
std::unique_ptr<engine::Database> openForReading(const std::string &name);

// Calls visit with each code in code order. The codes are read without
// checking their rows, so a damaged series hides none after it; throws
// only when the walk itself cannot go on.
void forEachCode(engine::Database &database, const std::function<void(const std::string &)> &visit);

// The series a command could not read and went on without.
class UnreadableSeries {
 public:
  void add(const std::string &code, int status) { found_.push_back({code, status}); }
  // Throws naming them (the first few), and how many damaged keys the walk
  // of `database` passed over, if there are any.
  void throwIfAny(const std::string &name, const engine::Database &database) const;

 private:
  struct Entry {
    std::string code;
    int status;
  };
  std::vector<Entry> found_;
};

}  // namespace vemro::tool
