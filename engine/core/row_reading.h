// Reading one series row of a query into the library's records, checking
// first that the row is consistent (a damaged or foreign row gives
// status 3, never a read past its data). Column orders are those of
// schema.h.
#pragma once

#include <sqlite3.h>

#include "observations.h"
#include "series_info.h"
#include "series_record.h"

namespace vemro::engine {

// With `checked`, a row whose checksum does not match its contents gives
// status 3 and nothing is written to `out`.
int readInfoRow(sqlite3_stmt *stmt, bool checked, SeriesInfo &out);
int readObservationsRow(sqlite3_stmt *stmt, const char *code, bool checked, Observations &out);
// The six texts of an info row, whole, for the database tool.
void readRecordTexts(sqlite3_stmt *stmt, SeriesRecord &out);

}  // namespace vemro::engine
