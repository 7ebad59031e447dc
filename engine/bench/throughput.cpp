// Throughput of the library's QVBGetData and QVBGetInfo against a plain
// libsqlite3 loop over the same file and a memcpy of the same bytes, all
// in one run, all writing into one buffer touched once beforehand.
// Usage: vemro-engine-bench DATABASE_FILE [ROUNDS]
// The database (100,000 monthly series of 600 observations) is generated
// on the first run and reused afterwards.
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "generated_database.h"
#include "qvbapi.h"

namespace {

constexpr int seriesCount = 100000;
constexpr int observationCount = 600;
constexpr int firstMonth = vemro::engine::benchFirstMonth, lastMonth = 201912;

std::string codeOf(int i) { return vemro::engine::benchCode("B", i); }

// Runs every method once per round, round after round, so that a slow
// spell of the machine hits all of them alike; keeps each one's best time.
std::vector<double> bestSeconds(const std::vector<std::function<void()>> &methods, int rounds) {
  std::vector<double> best(methods.size(), 1e300);
  for (int round = 0; round < rounds; ++round) {
    for (size_t m = 0; m < methods.size(); ++m) {
      auto start = std::chrono::steady_clock::now();
      methods[m]();
      std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
      best[m] = std::min(best[m], took.count());
    }
  }
  return best;
}

struct PlainConnection {
  sqlite3 *db = nullptr;
  sqlite3_stmt *stmt = nullptr;
  PlainConnection(const std::string &path, const char *sql, bool mmap) {
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (mmap) sqlite3_exec(db, "PRAGMA mmap_size = 1099511627776", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
  }
  ~PlainConnection() {
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }
  bool step(const std::string &code) {
    sqlite3_reset(stmt);
    sqlite3_bind_text(stmt, 1, code.c_str(), static_cast<int>(code.size()), SQLITE_STATIC);
    return sqlite3_step(stmt) == SQLITE_ROW;
  }
};

void fillPlainInfo(sqlite3_stmt *stmt, SeriesInfo &info) {
  auto text = [&](int column) {
    return reinterpret_cast<const char *>(sqlite3_column_text(stmt, column));
  };
  std::memset(&info, 0, sizeof info);
  std::strncpy(info.code, text(0), sizeof info.code - 1);
  info.firstPeriod = sqlite3_column_int(stmt, 1);
  info.lastPeriod = sqlite3_column_int(stmt, 2);
  info.attrA = sqlite3_column_int(stmt, 3);
  info.frequency = sqlite3_column_int(stmt, 4);
  info.attrB = sqlite3_column_int(stmt, 5);
  info.attrC = sqlite3_column_int(stmt, 6);
  info.attrD = sqlite3_column_int(stmt, 7);
  info.attrE = sqlite3_column_int(stmt, 8);
  info.attrF = sqlite3_column_int(stmt, 9);
  std::strncpy(info.textA, text(10), sizeof info.textA - 1);
  std::strncpy(info.textB, text(11), sizeof info.textB - 1);
  std::strncpy(info.textC, text(12), sizeof info.textC - 1);
  std::strncpy(info.textD, text(13), sizeof info.textD - 1);
  std::strncpy(info.textE, text(14), sizeof info.textE - 1);
  std::strncpy(info.textF, text(15), sizeof info.textF - 1);
}

void report(const char *what, double took, double baseline, const char *against) {
  std::printf("%-44s %8.3f s %12.0f series/s   %6.1f%% of %s\n", what, took, seriesCount / took,
              100.0 * baseline / took, against);
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: vemro-engine-bench DATABASE_FILE [ROUNDS]\n");
    return 2;
  }
  std::string path = argv[1];
  int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
  vemro::engine::ensureBenchDatabase(path, "B", seriesCount, observationCount);

  std::vector<std::string> codes;
  for (int i = 0; i < seriesCount; ++i) codes.push_back(codeOf(i));
  // One output buffer, written once here so that no run pays for first touches.
  std::vector<double> out(size_t{seriesCount} * observationCount, 1.0);
  std::vector<SeriesInfo> infos(seriesCount);
  std::memset(infos.data(), 1, infos.size() * sizeof(SeriesInfo));
  auto column = [&](int i) { return out.data() + size_t(i) * observationCount; };
  const size_t bytes = observationCount * sizeof(double);

  std::vector<double> source(out.size());
  {
    PlainConnection plain(path, "SELECT observations FROM series WHERE code = ?1", true);
    for (int i = 0; i < seriesCount; ++i) {
      if (!plain.step(codes[i]) || size_t(sqlite3_column_bytes(plain.stmt, 0)) != bytes) {
        std::fprintf(stderr, "series %s is missing or malformed\n", codes[i].c_str());
        return 1;
      }
      std::memcpy(source.data() + size_t(i) * observationCount, sqlite3_column_blob(plain.stmt, 0),
                  bytes);
    }
  }

  auto copyAll = [&] { std::memcpy(out.data(), source.data(), out.size() * 8); };
  auto plainData = [&](bool mmap) {
    PlainConnection plain(path, "SELECT observations FROM series WHERE code = ?1", mmap);
    for (int i = 0; i < seriesCount; ++i) {
      plain.step(codes[i]);
      std::memcpy(column(i), sqlite3_column_blob(plain.stmt, 0), bytes);
    }
  };
  int failures = 0;
  auto libraryData = [&] {
    for (int i = 0; i < seriesCount; ++i) {
      failures += QVBGetData(nullptr, codes[i].c_str(), firstMonth, lastMonth, 40, column(i)) != 0;
    }
  };
  auto plainInfo = [&](bool mmap) {
    PlainConnection plain(path,
                          "SELECT code, first_period, last_period, obs_count, frequency,"
                          " changed, decimals, magnitude, missing, aggregation, units, area,"
                          " adjustment, description, base, source FROM series WHERE code = ?1",
                          mmap);
    for (int i = 0; i < seriesCount; ++i) {
      plain.step(codes[i]);
      fillPlainInfo(plain.stmt, infos[i]);
    }
  };
  auto libraryInfo = [&] {
    for (int i = 0; i < seriesCount; ++i)
      failures += QVBGetInfo(nullptr, codes[i].c_str(), &infos[i]) != 0;
  };
  QVBOpenDatabase(path.c_str());
  std::vector<double> t =
      bestSeconds({copyAll, [&] { plainData(false); }, [&] { plainData(true); }, libraryData,
                   [&] { plainInfo(false); }, [&] { plainInfo(true); }, libraryInfo},
                  rounds);
  double copy = t[0], plainNoMap = t[1], plainMapped = t[2], library = t[3];
  double bestPlain = std::min(plainNoMap, plainMapped);
  libraryData();
  bool sameBytes = std::memcmp(out.data(), source.data(), out.size() * 8) == 0;
  QVBCloseDatabase();

  std::printf("%d series x %d observations, best of %d rounds\n", seriesCount, observationCount,
              rounds);
  report("memcpy of the same bytes", copy, copy, "memcpy");
  report("plain sqlite loop, no mmap, one transaction", plainNoMap, bestPlain, "best plain");
  report("plain sqlite loop, mmap, one transaction", plainMapped, bestPlain, "best plain");
  report("QVBGetData at own frequency", library, bestPlain, "best plain");
  std::printf("%-44s %6.1f%% of memcpy\n", "  QVBGetData", 100.0 * copy / library);
  double bestPlainInfo = std::min(t[4], t[5]);
  report("plain sqlite loop, no mmap, info columns", t[4], bestPlainInfo, "best plain info");
  report("plain sqlite loop, mmap, info columns", t[5], bestPlainInfo, "best plain info");
  report("QVBGetInfo", t[6], bestPlainInfo, "best plain info");
  std::printf("library failures: %d; QVBGetData bytes identical to the stored ones: %s\n", failures,
              sameBytes ? "yes" : "NO");
  return failures == 0 && sameBytes ? 0 : 1;
}
