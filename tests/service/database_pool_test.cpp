// Handles are reused while their file is unchanged, and the idle ones
// kept stay bounded however many files are served.
#include "database_pool.h"

#include <dirent.h>

#include "service_fixture.h"

namespace {

size_t openDescriptors() {
  size_t count = 0;
  DIR *dir = opendir("/proc/self/fd");
  while (readdir(dir) != nullptr) ++count;
  closedir(dir);
  return count;
}

}  // namespace

TEST(DatabasePool, ReusesAHandleUntilItsFileChanges) {
  ScratchRoot root;
  root.write("a", {monthly("A", 202001, {1})});
  std::string file = (root.path() / "a.vdb").string();
  vemro::service::DatabasePool pool;
  vemro::engine::Database *first = nullptr;
  {
    auto lease = pool.borrow(file);
    ASSERT_TRUE(lease);
    first = &*lease;
    auto second = pool.borrow(file);
    EXPECT_NE(&*second, first) << "one request at a time per handle";
  }
  EXPECT_EQ(&*pool.borrow(file), first) << "reused once given back";
  root.write("a", {monthly("A", 202001, {2})});
  auto fresh = pool.borrow(file);
  SeriesInfo info;
  ASSERT_EQ((*fresh).info("A", info), 0);
  vemro::engine::Observations values;
  ASSERT_EQ((*fresh).observations("A", values), 0);
  EXPECT_EQ(values.at(0), 2) << "the new version of the file";
  EXPECT_FALSE(pool.borrow((root.path() / "none.vdb").string()));
}

TEST(DatabasePool, IdleHandlesStayBounded) {
  ScratchRoot root;
  std::vector<std::string> files;
  for (int i = 0; i < 150; ++i) {
    root.write("db" + std::to_string(i), {monthly("A", 202001, {double(i)})});
    files.push_back((root.path() / ("db" + std::to_string(i) + ".vdb")).string());
  }
  size_t before = openDescriptors();
  vemro::service::DatabasePool pool;
  {
    std::vector<vemro::service::DatabaseLease> leases;
    for (const std::string &file : files) leases.push_back(pool.borrow(file));
    EXPECT_GE(openDescriptors(), before + 150) << "all open while leased";
  }
  EXPECT_LE(openDescriptors(), before + 64) << "at most 64 kept once given back";
  EXPECT_GE(openDescriptors(), before + 32) << "and some are kept";
}
