// The result vectors and the copy of one record into them.
#include "result_columns.h"

#include <algorithm>
#include <cstring>

#include "../bridge/exports.h"

namespace vemro {
namespace seriesinfo {
namespace {

bool isIntegerColumn(int column) { return column >= firstDateColumn && column <= attrFColumn; }

// A record's text slot may be filled to its last byte without a NUL, so
// the text never reaches past its slot.
template <size_t N>
SEXP slotText(const char (&slot)[N]) {
  const void *end = std::memchr(slot, '\0', N);
  size_t length = end ? static_cast<size_t>(static_cast<const char *>(end) - slot) : N;
  return Rf_mkCharLenCE(slot, static_cast<int>(length), CE_NATIVE);
}

}  // namespace

SEXP allocateColumns(int n) {
  SEXP columns = PROTECT(Rf_allocVector(VECSXP, columnCount));
  for (int column = 0; column < columnCount; ++column) {
    SEXPTYPE type = isIntegerColumn(column) ? INTSXP : STRSXP;
    SEXP vector = Rf_allocVector(type, n);
    SET_VECTOR_ELT(columns, column, vector);
    // Character vectors come filled with empty strings already.
    if (type == INTSXP) std::fill(INTEGER(vector), INTEGER(vector) + n, NA_INTEGER);
  }
  UNPROTECT(1);
  return columns;
}

void writeSeries(SEXP columns, int i, const SeriesInfo &record, SEXP seriesDatabase) {
  auto setText = [columns, i](Column column, SEXP text) {
    SET_STRING_ELT(VECTOR_ELT(columns, column), i, text);
  };
  auto setInteger = [columns, i](Column column, int value) {
    integerColumn(columns, column)[i] = value;
  };
  int frequency = record.frequency;
  setText(databaseColumn, seriesDatabase);
  setText(codeColumn, slotText(record.code));
  setInteger(firstDateColumn, qvbdateToYmd(record.firstPeriod, frequency));
  setInteger(lastDateColumn, qvbdateToYmd(record.lastPeriod, frequency));
  setInteger(attrAColumn, record.attrA);
  setInteger(frequencyColumn, frequency);
  setInteger(attrBColumn, record.attrB);
  setInteger(attrCColumn, record.attrC);
  setInteger(attrDColumn, record.attrD);
  setInteger(attrEColumn, record.attrE);
  setInteger(attrFColumn, record.attrF);
  setText(textAColumn, slotText(record.textA));
  setText(textBColumn, slotText(record.textB));
  setText(textCColumn, slotText(record.textC));
  setText(textDColumn, slotText(record.textD));
  setText(textEColumn, slotText(record.textE));
  setText(textFColumn, slotText(record.textF));
}

}  // namespace seriesinfo
}  // namespace vemro
