#include "database_update.h"

#include <memory>
#include <stdexcept>

#include "database.h"
#include "database_writer.h"
#include "status.h"
#include "utf8_text.h"

namespace vemro::engine {
namespace {

// The old series in code order, one at a time. Each code is found without
// checking its row, so a damaged series can still be replaced by the
// import; it stops the update only where it would be kept.
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
  const std::string &code() const { return code_; }

  // The current series' whole record, to keep it.
  const SeriesRecord &record() {
    int found = database_->record(code_.c_str(), record_);
    if (found != status::ok) {
      throw std::runtime_error("the existing series '" + excerptOf(code_) +
                               "' cannot be read (status " + std::to_string(found) +
                               "); import it again to replace it");
    }
    return record_;
  }

  void advance() {
    std::string previous = code_;
    int found = database_->codeAfter(previous, code_);
    done_ = found == status::listingOver;
    if (!done_ && found != status::ok) {
      throw std::runtime_error("the existing list of codes is damaged after " +
                               (previous.empty() ? "its start" : "'" + excerptOf(previous) + "'"));
    }
  }

 private:
  std::unique_ptr<Database> database_;
  std::string code_;
  SeriesRecord record_;
  bool done_ = true;
};

}  // namespace

void mergeIntoDatabase(const std::string &target, const std::vector<SeriesRecord> &incoming,
                       const std::function<void()> &progress) {
  std::string file = databaseFileOf(target);
  // The writer first: its lock keeps other writers out until the old file is replaced.
  DatabaseWriter writer(file.empty() ? target : file);
  OldSeries old(target);
  auto written = [&](const SeriesRecord &record) {
    writer.add(record);
    if (progress) progress();
  };
  auto next = incoming.begin();
  while (next != incoming.end() || !old.done()) {
    bool takeOld = next == incoming.end() || (!old.done() && old.code() < next->code);
    if (takeOld) {
      written(old.record());
      old.advance();
      continue;
    }
    if (!old.done() && old.code() == next->code) old.advance();
    written(*next++);
  }
  writer.commit();
}

}  // namespace vemro::engine
