// The R side of the double: tests script answers and read the call log
// through .Call.
#include <Rinternals.h>

#include <cstring>

#include "script.h"

namespace {

using vemro_double::Answer;

int intField(SEXP record, const char *name) {
  SEXP names = Rf_getAttrib(record, R_NamesSymbol);
  for (R_xlen_t i = 0; i < Rf_xlength(record); ++i)
    if (std::strcmp(R_CHAR(STRING_ELT(names, i)), name) == 0)
      return Rf_asInteger(VECTOR_ELT(record, i));
  return 0;
}

template <size_t N>
void textField(SEXP record, const char *name, char (&slot)[N]) {
  SEXP names = Rf_getAttrib(record, R_NamesSymbol);
  for (R_xlen_t i = 0; i < Rf_xlength(record); ++i)
    if (std::strcmp(R_CHAR(STRING_ELT(names, i)), name) == 0)
      std::strncpy(slot, R_CHAR(Rf_asChar(VECTOR_ELT(record, i))), N - 1);
}

// A named list of SeriesInfo fields; missing fields are zero.
SeriesInfo toRecord(SEXP record) {
  SeriesInfo info{};
  textField(record, "code", info.code);
  info.firstPeriod = intField(record, "firstPeriod");
  info.lastPeriod = intField(record, "lastPeriod");
  info.attrA = intField(record, "attrA");
  info.frequency = intField(record, "frequency");
  info.attrB = intField(record, "attrB");
  info.attrC = intField(record, "attrC");
  info.attrD = intField(record, "attrD");
  info.attrE = intField(record, "attrE");
  info.attrF = intField(record, "attrF");
  textField(record, "textA", info.textA);
  textField(record, "textB", info.textB);
  textField(record, "textC", info.textC);
  textField(record, "textD", info.textD);
  textField(record, "textE", info.textE);
  textField(record, "textF", info.textF);
  return info;
}

Answer toAnswer(SEXP status, SEXP record, SEXP data, SEXP text) {
  Answer answer;
  answer.status = Rf_asInteger(status);
  if (!Rf_isNull(record)) {
    answer.hasRecord = true;
    answer.record = toRecord(record);
  }
  if (!Rf_isNull(data)) answer.data.assign(REAL(data), REAL(data) + Rf_xlength(data));
  if (!Rf_isNull(text)) {
    answer.hasText = true;
    answer.text = R_CHAR(Rf_asChar(text));
  }
  return answer;
}

}  // namespace

extern "C" DOUBLE_EXPORT SEXP vemroDouble_reset() {
  vemro_double::reset();
  return R_NilValue;
}

// Appends one answer to a vendor function's queue. The R caller checks
// the argument types: record a named list or NULL, data a double vector
// or NULL, text a string or NULL.
extern "C" DOUBLE_EXPORT SEXP vemroDouble_script(SEXP function, SEXP status, SEXP record, SEXP data,
                                                 SEXP text) {
  vemro_double::script(R_CHAR(Rf_asChar(function)), toAnswer(status, record, data, text));
  return R_NilValue;
}

extern "C" DOUBLE_EXPORT SEXP vemroDouble_calls() {
  const std::vector<std::string> &calls = vemro_double::calls();
  SEXP result = PROTECT(Rf_allocVector(STRSXP, static_cast<R_xlen_t>(calls.size())));
  for (size_t i = 0; i < calls.size(); ++i)
    SET_STRING_ELT(result, static_cast<R_xlen_t>(i), Rf_mkChar(calls[i].c_str()));
  UNPROTECT(1);
  return result;
}

// Calls a bridge function of type void(int), found by R's
// getNativeSymbolInfo, with a plain int: R itself cannot pass one by value.
extern "C" DOUBLE_EXPORT SEXP vemroDouble_callWithInt(SEXP symbol, SEXP value) {
  // Through the generic function type, which every function pointer
  // converts to without a type-mismatch warning.
  auto plain = reinterpret_cast<void (*)(void)>(R_ExternalPtrAddrFn(symbol));
  auto function = reinterpret_cast<void (*)(int)>(plain);
  function(Rf_asInteger(value));
  return R_NilValue;
}
