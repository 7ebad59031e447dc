// Timings for the bridge benchmark, called from R with .Call. Each timing
// function does its preparation first and times only the work itself, on
// buffers that R allocated and touched beforehand. The bridge's entry
// points are reached through the addresses R found in the loaded Vemro.so,
// and the engine through the same loaded libqvbapi64.so.
#include <Rinternals.h>

#include <chrono>
#include <vector>

#include "generated_database.h"
#include "qvbapi.h"

#define BENCH_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

std::vector<char *> pointers(SEXP strings) {
  std::vector<char *> result(Rf_xlength(strings));
  for (size_t i = 0; i < result.size(); ++i)
    result[i] = const_cast<char *>(R_CHAR(STRING_ELT(strings, i)));
  return result;
}

template <typename Function>
Function entryPoint(SEXP address) {
  auto plain = reinterpret_cast<void (*)(void)>(R_ExternalPtrAddrFn(address));
  return reinterpret_cast<Function>(plain);
}

}  // namespace

BENCH_EXPORT SEXP benchGenerate(SEXP path, SEXP prefix, SEXP seriesCount, SEXP observations) {
  vemro::engine::ensureBenchDatabase(R_CHAR(Rf_asChar(path)), R_CHAR(Rf_asChar(prefix)),
                                     Rf_asInteger(seriesCount), Rf_asInteger(observations));
  return R_NilValue;
}

// The engine alone: each series read from its database, opened once.
BENCH_EXPORT SEXP benchEngineData(SEXP codes, SEXP seriesDatabases, SEXP range, SEXP matrix) {
  std::vector<char *> code = pointers(codes), database = pointers(seriesDatabases);
  const int *r = INTEGER(range);  // start, end, frequency, stride
  double *out = REAL(matrix);
  int failures = 0;
  Clock::time_point start = Clock::now();
  for (size_t i = 0; i < code.size(); ++i)
    failures += QVBGetData(database[i], code[i], r[0], r[1], r[2], out + i * r[3]) != 0;
  QVBCloseDatabase();
  double took = secondsSince(start);
  return Rf_ScalarReal(failures ? NA_REAL : took);
}

BENCH_EXPORT SEXP benchEngineInfo(SEXP codes, SEXP seriesDatabases) {
  std::vector<char *> code = pointers(codes), database = pointers(seriesDatabases);
  SeriesInfo info;
  int failures = 0;
  Clock::time_point start = Clock::now();
  for (size_t i = 0; i < code.size(); ++i) {
    if (i == 0 || database[i] != database[i - 1]) failures += QVBOpenDatabase(database[i]) != 0;
    failures += QVBGetInfo(nullptr, code[i], &info) != 0;
  }
  QVBCloseDatabase();
  double took = secondsSince(start);
  return Rf_ScalarReal(failures ? NA_REAL : took);
}

// c_vemroGetData on the same matrix, without R's .C copies around it.
BENCH_EXPORT SEXP benchEntryData(SEXP address, SEXP codes, SEXP seriesDatabases, SEXP databases,
                                 SEXP range, SEXP matrix) {
  using GetData = void (*)(int *, double *, char **, char **, char **, int *, int *, int *, int *,
                           int *, int *, int *, int *);
  std::vector<char *> code = pointers(codes), seriesDatabase = pointers(seriesDatabases),
                      database = pointers(databases);
  int direct = 0, merge = 0, reopen = 1000000;
  int databaseCount = static_cast<int>(database.size()), count = static_cast<int>(code.size());
  int r[4] = {INTEGER(range)[0], INTEGER(range)[1], INTEGER(range)[2], INTEGER(range)[3]};
  Clock::time_point start = Clock::now();
  entryPoint<GetData>(address)(&direct, REAL(matrix), code.data(), seriesDatabase.data(),
                               database.data(), &databaseCount, &count, &r[0], &r[1], &r[2], &merge,
                               &r[3], &reopen);
  return Rf_ScalarReal(secondsSince(start));
}

// call_vemroSeriesInfo with its eleven arguments as R prepared them.
BENCH_EXPORT SEXP benchEntryInfo(SEXP address, SEXP arguments) {
  using SeriesInfoCall = SEXP (*)(SEXP, SEXP, SEXP, SEXP, SEXP, SEXP, SEXP, SEXP, SEXP, SEXP, SEXP);
  auto a = [arguments](int i) { return VECTOR_ELT(arguments, i); };
  Clock::time_point start = Clock::now();
  entryPoint<SeriesInfoCall>(address)(a(0), a(1), a(2), a(3), a(4), a(5), a(6), a(7), a(8), a(9),
                                      a(10));
  return Rf_ScalarReal(secondsSince(start));
}
