// The 19 parallel result vectors of the batch series information, one
// entry per series position. They live in one R list that the caller
// protects; entries of series never read keep defined values: NA for
// integers and the empty string for texts.
#ifndef VEMRO_SERIESINFO_RESULT_COLUMNS_H
#define VEMRO_SERIESINFO_RESULT_COLUMNS_H

#include <Rinternals.h>

#include "../vendor/series_info.h"

namespace vemro {
namespace seriesinfo {

enum Column : int {
  databaseColumn,
  codeColumn,
  blankColumn,
  firstDateColumn,
  lastDateColumn,
  attrAColumn,
  frequencyColumn,
  attrBColumn,
  attrCColumn,
  attrDColumn,
  attrEColumn,
  attrFColumn,
  textAColumn,
  unusedColumn,
  textBColumn,
  textCColumn,
  textDColumn,
  textEColumn,
  textFColumn,
  columnCount
};

// A new, unprotected list of the 19 vectors of length n.
SEXP allocateColumns(int n);

// The last text made for a text column, kept so that the next entry with
// the same bytes reuses it: looking a text up in R's string cache is the
// dearest part of writing an entry, and the series of a database mostly
// share their texts.
struct LastText {
  SEXP text;  // null until a text is made
  const char *bytes;
  size_t length;
};

// The columns' vectors, and the data of the integer ones, looked up once
// per call instead of once per entry. Valid while the list and keep, a
// list of columnCount elements that holds every remembered text against
// the garbage collector, are protected.
struct ColumnViews {
  SEXP vectors[columnCount];
  int *integers[columnCount];      // null for text columns
  const SEXP *texts[columnCount];  // the entries of text columns, for reading
  SEXP keep;
  LastText last[columnCount];
};

ColumnViews viewColumns(SEXP columns, SEXP keep);

// Writes entry i of every column from a record read with status 0; the
// database name is series i's own, as the caller gave it, and so is the
// code whenever the record's code has the same bytes.
void writeSeries(ColumnViews &views, int i, const SeriesInfo &record, SEXP seriesDatabase,
                 SEXP requestedCode);

inline int *integerColumn(SEXP columns, Column column) {
  return INTEGER(VECTOR_ELT(columns, column));
}

}  // namespace seriesinfo
}  // namespace vemro

#endif
