// Each series row carries checksums: a damaged row reads as status 3, never
// as other numbers or texts with status 0. Files of the older schema, which
// have no checksums, still read and can be rewritten with them.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <map>
#include <random>

#include "database.h"
#include "database_update.h"
#include "status.h"
#include "test_database.h"

namespace {

using namespace vemro::engine;
using namespace vemro::engine::testing;

// What a read returned: the information record and the observations'
// bytes, or only the status when it failed.
struct ReadBack {
  int infoStatus = 0, dataStatus = 0;
  SeriesInfo info;
  std::string bytes;
};

std::map<std::string, ReadBack> readEverySeries(Database &database,
                                                const std::vector<std::string> &codes) {
  std::map<std::string, ReadBack> reads;
  for (const std::string &code : codes) {
    ReadBack &read = reads[code];
    std::memset(&read.info, 0, sizeof read.info);
    read.infoStatus = database.info(code.c_str(), read.info);
    Observations observations;
    read.dataStatus = database.observations(code.c_str(), observations);
    if (read.dataStatus == status::ok) {
      read.bytes.assign(reinterpret_cast<const char *>(observations.bytes), observations.count * 8);
    }
  }
  return reads;
}

class RecordChecks : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<SeriesRecord> records;
    for (int i = 0; i < 40; ++i) {
      std::vector<double> values(120);
      for (size_t j = 0; j < values.size(); ++j) values[j] = i * 1000.0 + j * 0.25;
      records.push_back(monthlySeries("S" + std::to_string(100 + i), 199001, values));
      records.back().description = "Series number " + std::to_string(i);
      records.back().units = "EUR";
      codes.push_back(records.back().code);
    }
    path = folder.path("db.vdb");
    writeDatabase(path, records);
    good = fileBytes(path);
    intact = readAll();
  }

  std::map<std::string, ReadBack> readAll() {
    std::string reason;
    auto database = Database::open(path, reason);
    if (!database) return {};
    return readEverySeries(*database, codes);
  }

  ScratchFolder folder;
  std::string path, good;
  std::vector<std::string> codes;
  std::map<std::string, ReadBack> intact;
};

bool sameInfo(const SeriesInfo &a, const SeriesInfo &b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST_F(RecordChecks, FlippedBytesNeverReadAsOtherValues) {
  std::mt19937 random(7);
  int changedReads = 0, caught = 0;
  for (int copy = 0; copy < 300; ++copy) {
    std::string bytes = good;
    for (int flip = 0, flips = 1 + random() % 3; flip < flips; ++flip) {
      bytes[random() % bytes.size()] ^= static_cast<char>(1 << (random() % 8));
    }
    writeBytes(path, bytes);
    for (const auto &[code, read] : readAll()) {
      const ReadBack &before = intact.at(code);
      if (read.infoStatus == status::ok && !sameInfo(read.info, before.info)) ++changedReads;
      if (read.dataStatus == status::ok && read.bytes != before.bytes) ++changedReads;
      caught += (read.infoStatus == status::seriesUnreadable) +
                (read.dataStatus == status::seriesUnreadable);
    }
  }
  EXPECT_EQ(changedReads, 0);
  EXPECT_GT(caught, 0) << "no flip ever landed in a series row";
}

TEST_F(RecordChecks, AFlippedObservationGivesStatus3AndWritesNothing) {
  double marker = 5000.25;  // the 2nd value of series S105
  std::string bytes = good;
  size_t at = bytes.find(std::string(reinterpret_cast<const char *>(&marker), sizeof marker));
  ASSERT_NE(at, std::string::npos);
  bytes[at] ^= 1;
  writeBytes(path, bytes);
  std::string reason;
  auto database = Database::open(path, reason);
  ASSERT_TRUE(database) << reason;
  Observations observations;
  EXPECT_EQ(database->observations("S105", observations), status::seriesUnreadable);
  EXPECT_EQ(observations.bytes, nullptr);
  EXPECT_EQ(database->observations("S106", observations), status::ok);
}

TEST_F(RecordChecks, AChangedTextGivesStatus3AndTheListingPassesOverIt) {
  std::string bytes = good;
  size_t at = bytes.find("Series number 17");
  ASSERT_NE(at, std::string::npos);
  bytes[at] = 's';
  writeBytes(path, bytes);
  std::string reason;
  auto database = Database::open(path, reason);
  ASSERT_TRUE(database) << reason;
  SeriesInfo info;
  std::memset(&info, 0x55, sizeof info);
  EXPECT_EQ(database->info("S117", info), status::seriesUnreadable);
  EXPECT_EQ(info.code[0], 0x55) << "a refused read wrote into the record";

  // A listing passes over the damaged series and loses none after it.
  std::vector<std::string> listed;
  for (const char *code = nullptr; database->next(code, info) == status::ok; code = info.code) {
    listed.push_back(info.code);
  }
  std::vector<std::string> expected = codes;
  expected.erase(expected.begin() + 17);
  EXPECT_EQ(listed, expected);
}

void runSql(const std::string &path, const char *sql) {
  sqlite3 *db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  char *error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &error), SQLITE_OK) << error;
  sqlite3_free(error);
  sqlite3_close(db);
}

// The older schema: the same table without the two checksum columns.
void downgradeToUncheckedSchema(const std::string &path) {
  runSql(path,
         "ALTER TABLE series DROP COLUMN info_check; ALTER TABLE series DROP COLUMN data_check;"
         "PRAGMA user_version = 1; VACUUM;");
}

// S105 keeps its count of 120 but holds a single observation.
constexpr const char *cutObservations =
    "UPDATE series SET observations = substr(observations, 1, 8) WHERE code = 'S105'";

TEST_F(RecordChecks, CutObservationsAreRefusedByTheDataRead) {
  runSql(path, cutObservations);
  auto reads = readAll();
  EXPECT_EQ(reads.at("S105").dataStatus, status::seriesUnreadable);
  // The information is intact and its own check still holds.
  EXPECT_EQ(reads.at("S105").infoStatus, status::ok);
  EXPECT_TRUE(sameInfo(reads.at("S105").info, intact.at("S105").info));
  EXPECT_EQ(reads.at("S106").dataStatus, status::ok);
}

TEST_F(RecordChecks, AnOlderFileWithCutObservationsIsUnreadable) {
  downgradeToUncheckedSchema(path);
  runSql(path, cutObservations);
  auto reads = readAll();
  EXPECT_EQ(reads.at("S105").infoStatus, status::seriesUnreadable);
  EXPECT_EQ(reads.at("S105").dataStatus, status::seriesUnreadable);
  EXPECT_EQ(reads.at("S106").infoStatus, status::ok);
}

TEST_F(RecordChecks, AnOlderFileReadsTheSameAndUpgrades) {
  downgradeToUncheckedSchema(path);
  std::string reason;
  ASSERT_FALSE(Database::open(path, reason)->hasChecksums());
  auto reads = readAll();
  for (const std::string &code : codes) {
    EXPECT_TRUE(sameInfo(reads.at(code).info, intact.at(code).info)) << code;
    EXPECT_EQ(reads.at(code).bytes, intact.at(code).bytes) << code;
  }

  mergeIntoDatabase(path, {});
  ASSERT_TRUE(Database::open(path, reason)->hasChecksums());
  reads = readAll();
  for (const std::string &code : codes) {
    EXPECT_TRUE(sameInfo(reads.at(code).info, intact.at(code).info)) << code;
    EXPECT_EQ(reads.at(code).bytes, intact.at(code).bytes) << code;
  }
}

TEST_F(RecordChecks, AHeaderOfTheOlderSchemaOverCheckedRowsIsRefused) {
  // The header's user_version, big-endian at offset 60: one damaged byte.
  std::string bytes = good;
  ASSERT_EQ(bytes[63], 2);
  bytes[63] = 1;
  writeBytes(path, bytes);
  std::string reason;
  EXPECT_FALSE(Database::open(path, reason));
  EXPECT_NE(reason.find("the header says schema version 1, but the rows carry checksums"),
            std::string::npos)
      << reason;
}

}  // namespace
