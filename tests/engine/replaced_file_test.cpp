// The file an import replaces: a link is followed, not replaced; the new
// file keeps the old one's permissions and owner, or follows the umask; a file
// nobody may write is refused; and only the writer's own leftovers are
// removed beside it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

#include "database.h"
#include "database_update.h"
#include "status.h"
#include "test_database.h"

namespace {

using namespace vemro::engine;
using namespace vemro::engine::testing;

mode_t modeOf(const std::string &path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

bool holdsSeries(const std::string &path, const char *code) {
  std::string reason;
  auto database = Database::open(path, reason);
  SeriesInfo info;
  return database && database->info(code, info) == status::ok;
}

class ReplacedFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path = folder.path("db.vdb");
    writeDatabase(path, {monthlySeries("OLD", 201001, {1, 2, 3})});
  }

  void importNew() { mergeIntoDatabase(path, {monthlySeries("NEW", 201001, {4})}); }

  ScratchFolder folder;
  std::string path;
};

TEST_F(ReplacedFile, AnImportThroughALinkReplacesTheFileItPointsTo) {
  std::string link = folder.path("link.vdb");
  ASSERT_EQ(::symlink("db.vdb", link.c_str()), 0);
  mergeIntoDatabase(link, {monthlySeries("NEW", 201001, {4})});
  struct stat info;
  ASSERT_EQ(::lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_TRUE(holdsSeries(path, "NEW"));
  EXPECT_TRUE(holdsSeries(path, "OLD"));
}

TEST_F(ReplacedFile, TheNewFileKeepsTheOldPermissionsOrFollowsTheUmask) {
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  importNew();
  EXPECT_EQ(modeOf(path), mode_t{0640});

  mode_t old = ::umask(077);
  std::string created = folder.path("new.vdb");
  mergeIntoDatabase(created, {monthlySeries("NEW", 201001, {4})});
  ::umask(old);
  EXPECT_EQ(modeOf(created), mode_t{0600});
}

TEST_F(ReplacedFile, TheNewFileKeepsTheOldOwnerAndGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
  const uid_t nobody = 65534;
  ASSERT_EQ(::chown(path.c_str(), nobody, nobody), 0);
  importNew();
  struct stat info;
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, nobody);
  EXPECT_EQ(info.st_gid, nobody);
}

TEST_F(ReplacedFile, AFileNobodyMayWriteIsRefusedAndKept) {
  std::string before = fileBytes(path);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  try {
    importNew();
    FAIL() << "a read-only database was replaced";
  } catch (const std::runtime_error &error) {
    EXPECT_EQ(std::string(error.what()),
              "'" + path + "' is read-only; make it writable to change it");
  }
  EXPECT_EQ(fileBytes(path), before);
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"db.vdb"});
}

TEST_F(ReplacedFile, OnlyTheWritersOwnLeftoversAreRemoved) {
  std::string mine = folder.path("db.vdb.vemro-import-abcdef"),
              empty = folder.path("db.vdb.vemro-import-ghijkl");
  writeBytes(mine, "my own notes\n");
  writeBytes(empty, "");
  importNew();
  EXPECT_EQ(fileBytes(mine), "my own notes\n");
  EXPECT_EQ(folder.entries(), (std::vector<std::string>{"db.vdb", "db.vdb.vemro-import-abcdef"}));
}

}  // namespace
