// The result vectors and the copy of one record into them.
#include "result_columns.h"

#include <algorithm>
#include <cstring>

#include "../bridge/exports.h"

namespace vemro {
namespace seriesinfo {
namespace {

bool isIntegerColumn(int column) { return column >= firstDateColumn && column <= attrFColumn; }

// The requested code's own string stands for the record's code when the
// bytes are the same.
SEXP codeText(const char (&code)[sizeof(SeriesInfo::code)], SEXP requested) {
  size_t length = strnlen(code, sizeof code);
  if (Rf_getCharCE(requested) == CE_NATIVE && static_cast<size_t>(LENGTH(requested)) == length &&
      std::memcmp(R_CHAR(requested), code, length) == 0)
    return requested;
  return Rf_mkCharLenCE(code, static_cast<int>(length), CE_NATIVE);
}

// A record's text slot may be filled to its last byte without a NUL, so
// the text never reaches past its slot.
template <size_t N>
SEXP slotText(ColumnViews &views, Column column, const char (&slot)[N]) {
  size_t length = strnlen(slot, N);
  LastText &last = views.last[column];
  if (last.text && last.length == length && std::memcmp(last.bytes, slot, length) == 0)
    return last.text;
  SEXP text = Rf_mkCharLenCE(slot, static_cast<int>(length), CE_NATIVE);
  SET_VECTOR_ELT(views.keep, column, text);
  last = {text, R_CHAR(text), length};
  return text;
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

ColumnViews viewColumns(SEXP columns, SEXP keep) {
  ColumnViews views{};
  views.keep = keep;
  for (int column = 0; column < columnCount; ++column) {
    views.vectors[column] = VECTOR_ELT(columns, column);
    if (isIntegerColumn(column))
      views.integers[column] = INTEGER(views.vectors[column]);
    else
      views.texts[column] = STRING_PTR_RO(views.vectors[column]);
  }
  return views;
}

void writeSeries(ColumnViews &views, int i, const SeriesInfo &record, SEXP seriesDatabase,
                 SEXP requestedCode) {
  // An entry that already holds the text is left alone: most texts of a
  // fresh result are empty and stay so.
  auto setText = [&views, i](Column column, SEXP text) {
    if (views.texts[column][i] != text) SET_STRING_ELT(views.vectors[column], i, text);
  };
  auto setInteger = [&views, i](Column column, int value) { views.integers[column][i] = value; };
  int frequency = record.frequency;
  setText(databaseColumn, seriesDatabase);
  setText(codeColumn, codeText(record.code, requestedCode));
  setInteger(firstDateColumn, qvbdateToYmd(record.firstPeriod, frequency));
  setInteger(lastDateColumn, qvbdateToYmd(record.lastPeriod, frequency));
  setInteger(attrAColumn, record.attrA);
  setInteger(frequencyColumn, frequency);
  setInteger(attrBColumn, record.attrB);
  setInteger(attrCColumn, record.attrC);
  setInteger(attrDColumn, record.attrD);
  setInteger(attrEColumn, record.attrE);
  setInteger(attrFColumn, record.attrF);
  setText(textAColumn, slotText(views, textAColumn, record.textA));
  setText(textBColumn, slotText(views, textBColumn, record.textB));
  setText(textCColumn, slotText(views, textCColumn, record.textC));
  setText(textDColumn, slotText(views, textDColumn, record.textD));
  setText(textEColumn, slotText(views, textEColumn, record.textE));
  setText(textFColumn, slotText(views, textFColumn, record.textF));
}

}  // namespace seriesinfo
}  // namespace vemro
