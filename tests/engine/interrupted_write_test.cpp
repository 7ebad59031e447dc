// An import that fails or is killed half-way leaves the previous database
// file byte for byte as it was, and the next import clears what it left.
// Two imports at once both land.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "database.h"
#include "database_update.h"
#include "status.h"
#include "test_database.h"

namespace {

using namespace vemro::engine;
using namespace vemro::engine::testing;

class InterruptedWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    path = folder.path("db.vdb");
    writeDatabase(path, {monthlySeries("OLD", 201001, {1, 2, 3})});
    before = fileBytes(path);
    for (int i = 0; i < 500; ++i) {
      incoming.push_back(
          monthlySeries("N" + std::to_string(1000 + i), 200001, std::vector<double>(120, i)));
    }
  }

  ScratchFolder folder;
  std::string path, before;
  std::vector<SeriesRecord> incoming;
};

TEST_F(InterruptedWrite, AFailureHalfWayLeavesTheOldFileAndNoLeftovers) {
  int written = 0;
  auto failHalfWay = [&] {
    if (++written == 250) throw std::runtime_error("disk full");
  };
  EXPECT_THROW(mergeIntoDatabase(path, incoming, failHalfWay), std::runtime_error);
  EXPECT_EQ(fileBytes(path), before);
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"db.vdb"});
}

TEST_F(InterruptedWrite, AKilledImportLeavesTheOldFile) {
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    int written = 0;
    mergeIntoDatabase(path, incoming, [&] {
      if (++written == 250) raise(SIGKILL);
    });
    _exit(0);  // not reached: the import dies first
  }
  int how = 0;
  ASSERT_EQ(waitpid(child, &how, 0), child);
  ASSERT_TRUE(WIFSIGNALED(how) && WTERMSIG(how) == SIGKILL);
  EXPECT_EQ(fileBytes(path), before);
  std::string reason;
  auto database = Database::open(path, reason);
  ASSERT_NE(database, nullptr) << reason;
  SeriesInfo info;
  EXPECT_EQ(database->info("OLD", info), status::ok);
  EXPECT_EQ(database->info("N1000", info), status::seriesNotFound);

  ASSERT_EQ(folder.entries().size(), 2u) << "the killed import left its temporary file";
  mergeIntoDatabase(path, {});
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"db.vdb"}) << "the next import removed it";
}

TEST_F(InterruptedWrite, ATemporaryFileOfALiveImportIsLeftAlone) {
  std::string live = path + ".vemro-import-abc123",
              other = folder.path("other.vdb.vemro-import-abc123");
  // What SQLite writes first, as a writer's temporary file begins.
  const std::string begun("SQLite format 3\0being written", 29);
  writeBytes(live, begun);
  writeBytes(other, "another database's");
  int fd = open(live.c_str(), O_RDONLY);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  mergeIntoDatabase(path, {});
  EXPECT_EQ(fileBytes(live), begun);
  EXPECT_EQ(fileBytes(other), "another database's");
  close(fd);
  mergeIntoDatabase(path, {});
  EXPECT_EQ(folder.entries(),
            (std::vector<std::string>{"db.vdb", "other.vdb.vemro-import-abc123"}));
}

TEST_F(InterruptedWrite, AFolderIsNoDatabaseFile) {
  std::string inTheWay = folder.path("folder.vdb");
  ASSERT_EQ(mkdir(inTheWay.c_str(), 0755), 0);
  try {
    mergeIntoDatabase(inTheWay, incoming);
    ADD_FAILURE() << "a folder was taken for a database file";
  } catch (const std::runtime_error &error) {
    EXPECT_EQ(error.what(), "'" + inTheWay + "' is a folder, not a database file");
  }
  EXPECT_EQ(folder.entries(), (std::vector<std::string>{"db.vdb", "folder.vdb"}));
  rmdir(inTheWay.c_str());
}

TEST_F(InterruptedWrite, ACompletedImportMergesOldAndNewSeries) {
  SeriesRecord replacement = monthlySeries("OLD", 201001, {9});
  incoming.insert(incoming.begin(), replacement);
  std::sort(incoming.begin(), incoming.end(),
            [](const SeriesRecord &a, const SeriesRecord &b) { return a.code < b.code; });
  mergeIntoDatabase(path, incoming);
  std::string reason;
  auto database = Database::open(path, reason);
  ASSERT_NE(database, nullptr) << reason;
  SeriesInfo info;
  ASSERT_EQ(database->info("OLD", info), status::ok);
  int count = info.attrA;
  EXPECT_EQ(count, 1);
  EXPECT_EQ(database->info("N1499", info), status::ok);
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"db.vdb"});
}

TEST_F(InterruptedWrite, AnImportStartedDuringAnotherWaitsAndKeepsItsSeries) {
  std::mutex mutex;
  std::condition_variable changed;
  bool firstStarted = false, secondDone = false;
  // The first import, half-way, gives the second one time to finish; the
  // second must instead wait and then start from the first one's file.
  std::thread first([&] {
    int written = 0;
    mergeIntoDatabase(path, {monthlySeries("FIRST", 201001, {1})}, [&] {
      if (++written != 1) return;
      std::unique_lock<std::mutex> lock(mutex);
      firstStarted = true;
      changed.notify_all();
      changed.wait_for(lock, std::chrono::milliseconds(300), [&] { return secondDone; });
    });
  });
  {
    std::unique_lock<std::mutex> lock(mutex);
    changed.wait(lock, [&] { return firstStarted; });
  }
  mergeIntoDatabase(path, {monthlySeries("SECOND", 201001, {2})});
  {
    std::lock_guard<std::mutex> lock(mutex);
    secondDone = true;
    changed.notify_all();
  }
  first.join();
  std::string reason;
  auto database = Database::open(path, reason);
  ASSERT_NE(database, nullptr) << reason;
  SeriesInfo info;
  for (const char *code : {"FIRST", "OLD", "SECOND"}) {
    EXPECT_EQ(database->info(code, info), status::ok) << code << " was lost";
  }
}

}  // namespace
