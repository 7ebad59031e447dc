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

  // Changes one byte of the code of the file's first key in the root page,
  // an inner page of the B-tree: `at` counts from the code's first byte.
  bool damageAnInnerKey(size_t at, char byte) {
    std::string bytes = fileBytes(path);
    size_t page = static_cast<size_t>(rootPageOf(path) - 1) * schema::pageSize;
    if (page == 0 || bytes.at(page) != 0x02) return false;  // not an inner index page
    // The cell: the left child's page number, the payload's length, then
    // the record, whose header length leads to its first value, the code.
    size_t cell = page + ((uint8_t(bytes[page + 12]) << 8) | uint8_t(bytes[page + 13])) + 4;
    skipVarint(bytes, cell);
    size_t record = cell;
    size_t code = record + readVarint(bytes, cell);
    if (bytes.compare(code, 2, "W0") != 0) return false;
    bytes[code + at] = byte;
    writeBytes(path, bytes);
    return true;
  }

  // Every code that a walk of the file gives, and how often one came twice.
  std::set<std::string> walk(int &repeats) {
    std::string reason;
    auto database = Database::open(path, reason);
    EXPECT_TRUE(database) << reason;
    std::set<std::string> walked;
    if (!database) return walked;
    std::string previous, code;
    int found;
    while ((found = database->codeAfter(previous, code)) == status::ok) {
      EXPECT_TRUE(walked.insert(code).second) << code << " came twice";
      previous = code;
    }
    EXPECT_EQ(found, status::listingOver);
    repeats = database->damagedKeys();
    return walked;
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
  // W0123 becomes W/123, which sorts before W0000, and misleads searches.
  ASSERT_TRUE(damageAnInnerKey(1, '/'));
  ASSERT_LT(codesFoundBySearching(path), seriesCount - 1) << "the damage did not mislead a search";
  int repeats = -1;
  EXPECT_EQ(walk(repeats).size(), size_t{seriesCount});
  EXPECT_EQ(repeats, 0);
}

TEST_F(CodeWalk, AKeyDamagedToSortLastHidesNoCodeAfterIt) {
  ASSERT_TRUE(damageAnInnerKey(0, '\xCD'));
  int repeats = -1;
  std::set<std::string> walked = walk(repeats);
  EXPECT_EQ(walked.size(), size_t{seriesCount});
  EXPECT_EQ(walked.count(codeOf(seriesCount - 1)), 1u);
}

TEST_F(CodeWalk, AKeyDamagedIntoAnotherCodeIsPassedOverAndCounted) {
  ASSERT_TRUE(damageAnInnerKey(4, '0'));  // W0123 becomes W0120, which stands before it
  int repeats = -1;
  EXPECT_EQ(walk(repeats).size(), size_t{seriesCount - 1});
  EXPECT_EQ(repeats, 1);
}

TEST_F(CodeWalk, ACodeThatIsNotTextIsPassedOverAndCounted) {
  sqlite3 *db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  // A blob sorts after every text: the walk meets it where it used to end.
  ASSERT_EQ(sqlite3_exec(db, "UPDATE series SET code = CAST('W0100' AS BLOB) WHERE code = 'W0100'",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  int damagedKeys = -1;
  std::set<std::string> walked = walk(damagedKeys);
  EXPECT_EQ(walked.size(), size_t{seriesCount - 1});
  EXPECT_EQ(walked.count(codeOf(seriesCount - 1)), 1u);
  EXPECT_EQ(damagedKeys, 1);
}

TEST_F(CodeWalk, TheListingPassesOverCodesThatASearchCannotFindAndGoesToTheEnd) {
  ASSERT_TRUE(damageAnInnerKey(1, '/'));
  std::string reason;
  auto database = Database::open(path, reason);
  ASSERT_TRUE(database) << reason;
  std::set<std::string> real;
  for (int i = 0; i < seriesCount; ++i) real.insert(codeOf(i));
  SeriesInfo info;
  std::string last;
  int listed = 0;
  for (const char *previous = nullptr; database->next(previous, info) == status::ok;
       previous = info.code) {
    EXPECT_EQ(real.count(info.code), 1u) << info.code;
    last = info.code;
    ++listed;
  }
  // Searches misled by the damaged key find some series no more, but the
  // listing does not end at the first of them.
  EXPECT_LT(listed, seriesCount);
  EXPECT_EQ(last, codeOf(seriesCount - 1));
}

}  // namespace
