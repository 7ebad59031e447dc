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

// Writes entry i of every column from a record read with status 0; the
// database name is series i's own, as the caller gave it.
void writeSeries(SEXP columns, int i, const SeriesInfo &record, SEXP seriesDatabase);

inline int *integerColumn(SEXP columns, Column column) {
  return INTEGER(VECTOR_ELT(columns, column));
}

}  // namespace seriesinfo
}  // namespace vemro

#endif
