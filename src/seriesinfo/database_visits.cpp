// Walking the series positions once per visited database.
#include "database_visits.h"

#include <cstdint>
#include <type_traits>

#include "../bridge/database_match.h"
#include "../bridge/interrupt.h"
#include "../bridge/vendor_library.h"
#include "../vendor/qvbapi.h"
#include "../vendor/qvbdapi.h"
#include "chunk_pairing.h"
#include "codelist_chunk.h"
#include "result_columns.h"

namespace vemro {
namespace seriesinfo {
namespace {

struct Visits {
  const SeriesInfoCall *call;
  ColumnViews columns;
  const SEXP *codes;            // the strings of the call's codes
  const SEXP *seriesDatabases;  // and of their databases
  FailureLists *failures;
  unsigned char *written;
  DatabaseMatch match;
  ChunkPairing pairing;
  int64_t seriesMet;  // over all visits: series whose database was the visited one
  int openStatus;
  SeriesInfo record;  // reused, never cleared between requests
};

static_assert(std::is_trivially_destructible<Visits>::value,
              "the visits live across the interrupt check");

// Taken at every position, whether its series belongs to the database or
// not, so it repeats until the next series met moves the count on. Only
// the local library's close is called, in both modes.
void reopenWhenDue(Visits *visits, const char *database) {
  if (visits->seriesMet == 0 || visits->seriesMet % visits->call->reopenInterval != 0) return;
  QVBCloseDatabase();
  checkInterrupt();
  visits->openStatus = vendorLibrary(visits->call->direct).openDatabase(database);
}

int requestRecord(Visits *visits, int position) {
  const SeriesInfoCall &call = *visits->call;
  if (call.direct)
    return QVBDGetInfo(nullptr, chunkForRequest(&visits->pairing, position), &visits->record);
  return QVBGetInfo(nullptr, R_CHAR(visits->codes[position]), &visits->record);
}

void readSeries(Visits *visits, int position) {
  ++visits->seriesMet;
  if (visits->openStatus != 0) {
    addFailure(visits->failures, notOpenedList, position);
    skipRequest(&visits->pairing);
    return;
  }
  int status = requestRecord(visits, position);
  if (status != 0) {
    addFailure(visits->failures, listForStatus(status, visits->call->direct), position);
    return;
  }
  writeSeries(visits->columns, position, visits->record, visits->seriesDatabases[position],
              visits->codes[position]);
  visits->written[position] = 1;
}

void visitDatabase(Visits *visits, int d) {
  const SeriesInfoCall &call = *visits->call;
  const char *database = R_CHAR(STRING_ELT(call.databases, d));
  visits->openStatus = vendorLibrary(call.direct).openDatabase(database);
  for (int i = 0; i < call.seriesCount; ++i) {
    reopenWhenDue(visits, database);
    if (call.direct && i % chunkWidth == 0) startWindow(&visits->pairing, database, i);
    if (visits->match.belongs(i, d)) readSeries(visits, i);
  }
}

}  // namespace

void visitDatabases(const SeriesInfoCall &call, SEXP columns, FailureLists *failures,
                    unsigned char *written) {
  auto nameAt = [](SEXP names) { return [names](int i) { return R_CHAR(STRING_ELT(names, i)); }; };
  SEXP keep = PROTECT(Rf_allocVector(VECSXP, columnCount));
  Visits visits{&call,
                viewColumns(columns, keep),
                STRING_PTR_RO(call.codes),
                STRING_PTR_RO(call.seriesDatabases),
                failures,
                written,
                matchDatabases(call.seriesCount, nameAt(call.seriesDatabases), call.databaseCount,
                               nameAt(call.databases)),
                {},
                0,
                0,
                {}};
  if (call.direct)
    visits.pairing = startPairing(call.codes, call.seriesDatabases, call.seriesCount);
  for (int d = 0; d < call.databaseCount; ++d) visitDatabase(&visits, d);
  UNPROTECT(1);
}

}  // namespace seriesinfo
}  // namespace vemro
