// A walk of the codes steps along the table's own order. A search for the
// code after the last one compares keys on its way down the B-tree, and a
// damaged key in an inner page sends it past whole pages of codes: such a
// walk lost series without a word.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "database.h"
#include "schema.h"
#include "status.h"
#include "test_database.h"

namespace {

using namespace vemro::engine;
using namespace vemro::engine::testing;

constexpr int seriesCount = 400;

std::string codeOf(int i) {
  char code[8];
  std::snprintf(code, sizeof code, "W%04d", i);
  return code;
}

// The codes found by searching for the one after the last, as a walk did.
int codesFoundBySearching(const std::string &path) {
  sqlite3 *db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt *stmt = nullptr;
  sqlite3_prepare_v2(db, "SELECT code FROM series WHERE code > ?1 ORDER BY code LIMIT 1", -1, &stmt,
                     nullptr);
  std::string previous;
  int found = 0;
  for (; found <= seriesCount; ++found) {
    sqlite3_reset(stmt);
    sqlite3_bind_text(stmt, 1, previous.c_str(), -1, SQLITE_TRANSIENT);
    if (sqlite3_step(stmt) != SQLITE_ROW) break;
    previous = reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0));
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return found;
}

long long rootPageOf(const std::string &path) {
  sqlite3 *db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt *stmt = nullptr;
  sqlite3_prepare_v2(db, "SELECT rootpage FROM sqlite_schema WHERE name = 'series'", -1, &stmt,
                     nullptr);
  long long page = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : 0;
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return page;
}

class CodeWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<SeriesRecord> records;
    for (int i = 0; i < seriesCount; ++i) {
      records.push_back(monthlySeries(codeOf(i), 200001, std::vector<double>(600, i)));
    }
    path = folder.path("db.vdb");
    writeDatabase(path, records);
  }

  // Damages the file's first key in the root page, an inner page of the
  // B-tree, to name a code before its place; true once a search-walk of
  // the file misses series.
  bool damageAnInnerKey() {
    std::string bytes = fileBytes(path);
    size_t page = static_cast<size_t>(rootPageOf(path) - 1) * schema::pageSize;
    if (page == 0 || bytes.at(page) != 0x02) return false;  // not an inner index page
    // The cell: the left child's page number, the payload's length, then
    // the record, whose header length leads to its first value, the code.
    size_t at = page + ((uint8_t(bytes[page + 12]) << 8) | uint8_t(bytes[page + 13])) + 4;
    skipVarint(bytes, at);
    size_t record = at;
    size_t code = record + readVarint(bytes, at);
    if (bytes.compare(code, 2, "W0") != 0) return false;
    bytes[code + 1] = '/';  // W0123 becomes W/123, which sorts before W0000
    writeBytes(path, bytes);
    return codesFoundBySearching(path) < seriesCount - 1;
  }

  // SQLite's varint: big-endian groups of 7 bits, the high bit saying
  // another follows (the short form, enough for these small numbers).
  static uint64_t readVarint(const std::string &bytes, size_t &at) {
    uint64_t value = 0;
    uint8_t byte;
    do {
      byte = uint8_t(bytes[at++]);
      value = (value << 7) | (byte & 0x7f);
    } while (byte & 0x80);
    return value;
  }
  static void skipVarint(const std::string &bytes, size_t &at) { readVarint(bytes, at); }

  ScratchFolder folder;
  std::string path;
};

TEST_F(CodeWalk, ADamagedInnerKeyHidesNoCodeFromTheWalk) {
  ASSERT_EQ(codesFoundBySearching(path), seriesCount);
  ASSERT_TRUE(damageAnInnerKey()) << "the damage did not mislead a search";
  std::string reason;
  auto database = Database::open(path, reason);
  ASSERT_TRUE(database) << reason;

  std::set<std::string> walked;
  std::string previous, code;
  int found;
  while ((found = database->codeAfter(previous, code)) == status::ok) {
    ASSERT_GT(code, previous);
    walked.insert(code);
    previous = code;
  }
  EXPECT_EQ(found, status::listingOver);
  // Only the damaged key itself is passed over, and counted.
  EXPECT_EQ(walked.size(), size_t{seriesCount - 1});
  EXPECT_EQ(database->disorders(), 1);
}

TEST_F(CodeWalk, TheListingPassesOverCodesThatASearchCannotFind) {
  ASSERT_TRUE(damageAnInnerKey());
  std::string reason;
  auto database = Database::open(path, reason);
  ASSERT_TRUE(database) << reason;
  SeriesInfo info;
  int listed = 0, unfound = 0;
  for (const char *previous = nullptr; database->next(previous, info) == status::ok;
       previous = info.code) {
    ++listed;
  }
  for (int i = 0; i < seriesCount; ++i) {
    unfound += database->info(codeOf(i).c_str(), info) == status::seriesNotFound;
  }
  EXPECT_GT(unfound, 0);
  // Every code that a lookup still finds is listed, in order, to the end.
  EXPECT_EQ(listed, seriesCount - unfound);
}

}  // namespace
