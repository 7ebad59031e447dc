// create, import and upgrade: each ends in one all-or-nothing write of
// the file.
#include <cstdio>
#include <stdexcept>

#include "commands.h"
#include "csv_import.h"
#include "database.h"
#include "database_update.h"
#include "database_reading.h"
#include "database_writer.h"

namespace vemro::tool {

void createDatabase(const Arguments &args) {
  if (args.size() != 1) throw std::runtime_error("expects one database name");
  auto refuseExisting = [&] {
    if (!engine::databaseFileOf(args[0]).empty()) {
      throw std::runtime_error("'" + args[0] + "' already exists");
    }
  };
  refuseExisting();
  engine::DatabaseWriter writer(databasePathFor(args[0]));
  refuseExisting();  // again under the writer's lock: an import may have made it meanwhile
  writer.commit();
}

void importSeries(const Arguments &args) {
  if (args.size() < 3 || args.size() % 2 == 0) {
    throw std::runtime_error(
        "expects DB --meta META.csv [--long DATA.csv]... [--wide DATA.csv]... [--values DATA.f64]");
  }
  engine::SeriesImport import;
  std::vector<std::pair<std::string, std::string>> dataFiles;
  bool hasMetadata = false;
  for (size_t i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == "--meta") {
      import.readMetadata(args[i + 1]);
      hasMetadata = true;
    } else if (args[i] == "--long" || args[i] == "--wide" || args[i] == "--values") {
      dataFiles.emplace_back(args[i], args[i + 1]);
    } else {
      throw std::runtime_error("unknown option '" + args[i] + "'");
    }
  }
  if (!hasMetadata) throw std::runtime_error("no --meta file given");
  for (const auto &[layout, path] : dataFiles) {
    if (layout == "--long")
      import.readLong(path);
    else if (layout == "--wide")
      import.readWide(path);
    else
      import.readValues(path);
  }
  std::vector<engine::SeriesRecord> records = import.takeRecords();
  engine::mergeIntoDatabase(databasePathFor(args[0]), records);
  std::printf("imported %zu series into %s\n", records.size(), databasePathFor(args[0]).c_str());
}

// Every series read back (so a damaged one stops the upgrade before
// anything is replaced) and written again with its checksums.
void upgradeDatabase(const Arguments &args) {
  if (args.size() != 1) throw std::runtime_error("expects one database name");
  std::string path = engine::databaseFileOf(args[0]);
  if (openForReading(args[0])->hasChecksums()) {
    std::printf("%s is already of the current schema\n", path.c_str());
    return;
  }
  size_t series = 0;
  engine::mergeIntoDatabase(path, {}, [&series] { ++series; });
  std::printf("upgraded %s: %zu series, each with its checksums\n", path.c_str(), series);
}

}  // namespace vemro::tool
