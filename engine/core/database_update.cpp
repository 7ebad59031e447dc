#include "database_update.h"

#include <memory>
#include <stdexcept>

#include "database.h"
#include "database_writer.h"
#include "status.h"

namespace vemro::engine {
namespace {

// The old series in code order, one at a time.
class OldSeries {
 public:
  explicit OldSeries(const std::string &target) {
    if (databaseFileOf(target).empty()) return;
    std::string reason;
    database_ = Database::open(target, reason);
    if (!database_) throw std::runtime_error("cannot read the existing database: " + reason);
    advance();
  }
  bool done() const { return done_; }
  const SeriesRecord &current() const { return current_; }

  void advance() {
    SeriesInfo info;
    int found = database_->next(code_.empty() ? nullptr : code_.c_str(), info);
    done_ = found == status::listingOver;
    if (done_) return;
    if (found != status::ok) {
      throw std::runtime_error("the existing series after '" + code_ + "' cannot be read");
    }
    code_ = info.code;
    if (database_->record(code_.c_str(), current_) != status::ok) {
      throw std::runtime_error("the existing series '" + code_ + "' cannot be read");
    }
  }

 private:
  std::unique_ptr<Database> database_;
  std::string code_;
  SeriesRecord current_;
  bool done_ = true;
};

}  // namespace

void mergeIntoDatabase(const std::string &target, const std::vector<SeriesRecord> &incoming,
                       const std::function<void()> &progress) {
  std::string file = databaseFileOf(target);
  OldSeries old(target);
  DatabaseWriter writer(file.empty() ? target : file);
  auto written = [&](const SeriesRecord &record) {
    writer.add(record);
    if (progress) progress();
  };
  auto next = incoming.begin();
  while (next != incoming.end() || !old.done()) {
    bool takeOld = next == incoming.end() || (!old.done() && old.current().code < next->code);
    if (takeOld) {
      written(old.current());
      old.advance();
      continue;
    }
    if (!old.done() && old.current().code == next->code) old.advance();
    written(*next++);
  }
  writer.commit();
}

}  // namespace vemro::engine
