// Damaged, foreign and newer files: the open is refused with status 1, or,
// for damage the open cannot see, each lookup answers with a status. Run
// under the sanitizers, nothing may read out of bounds.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <random>

#include "database.h"
#include "status.h"
#include "test_database.h"

namespace {

using namespace vemro::engine;
using namespace vemro::engine::testing;

class DamagedFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<SeriesRecord> records;
    for (int i = 0; i < 60; ++i) {
      records.push_back(
          monthlySeries("S" + std::to_string(100 + i), 200001, std::vector<double>(300, i)));
    }
    path = folder.path("good.vdb");
    writeDatabase(path, records);
    good = fileBytes(path);
  }

  bool opens(const std::string &bytes) {
    writeBytes(path, bytes);
    std::string reason;
    return Database::open(path, reason) != nullptr;
  }

  ScratchFolder folder;
  std::string path, good;
};

TEST_F(DamagedFile, TheGoodFileOpens) { EXPECT_TRUE(opens(good)); }

TEST_F(DamagedFile, TruncatedOrEmptyFilesAreRefused) {
  EXPECT_FALSE(opens(""));
  EXPECT_FALSE(opens(good.substr(0, 100)));
  EXPECT_FALSE(opens(good.substr(0, good.size() / 2)));
  EXPECT_FALSE(opens(good.substr(0, good.size() - 1)));
}

TEST_F(DamagedFile, ForeignFilesAreRefused) {
  EXPECT_FALSE(opens("name,value\nx,1\n"));
  EXPECT_FALSE(opens(std::string(good.size(), '\0')));
  sqlite3 *db = nullptr;
  std::string other = folder.path("other.db");
  sqlite3_open(other.c_str(), &db);
  sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES (1)", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  EXPECT_FALSE(opens(fileBytes(other)));
}

// user_version sits at byte 60 of the header, big-endian.
TEST_F(DamagedFile, ANewerSchemaVersionIsRefused) {
  std::string newer = good;
  newer[63] = 3;
  EXPECT_FALSE(opens(newer));
}

TEST_F(DamagedFile, RandomByteDamageNeverCrashes) {
  std::mt19937 random(42);
  int refused = 0, unreadable = 0;
  for (int trial = 0; trial < 200; ++trial) {
    std::string bytes = good;
    for (int flip = 0; flip < 20; ++flip) {
      bytes[random() % bytes.size()] = static_cast<char>(random());
    }
    writeBytes(path, bytes);
    std::string reason;
    auto database = Database::open(path, reason);
    if (!database) {
      ++refused;
      continue;
    }
    SeriesInfo info;
    Observations observations;
    for (const char *code = nullptr; database->next(code, info) == status::ok; code = info.code) {
      int found = database->observations(info.code, observations);
      if (found != status::ok) ++unreadable;
      EXPECT_TRUE(found == status::ok || found == status::seriesUnreadable ||
                  found == status::seriesNotFound);
    }
  }
  EXPECT_GT(refused + unreadable, 0) << "the damage went unnoticed every time";
}

}  // namespace
