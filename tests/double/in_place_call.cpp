// Calls a pointer-style bridge entry point on R's own vectors instead of
// copies, the way .C would if it did not copy: whatever the entry point
// writes stays visible in the vectors, also when it raises an R error.
// Tests use it to see that no output is written before an error.
//
// Integer and double vectors are passed as pointers into their data.
// Character vectors are passed as arrays of writable copies of their
// strings, in R's transient memory; whatever the entry point leaves in
// each element is copied back into the vector when the call ends, through
// R_UnwindProtect's cleanup on an error as on a normal return.
#include <Rinternals.h>

#include <cstring>

#include "script.h"

namespace {

constexpr int maxArgs = 17;

struct InPlaceCall {
  DL_FUNC function;
  SEXP args;
  int count;
  void *pointers[maxArgs];
};

char **writableStrings(SEXP strings) {
  R_xlen_t n = Rf_xlength(strings);
  char **copies = reinterpret_cast<char **>(R_alloc(n ? n : 1, sizeof(char *)));
  for (R_xlen_t i = 0; i < n; ++i) {
    const char *value = R_CHAR(STRING_ELT(strings, i));
    copies[i] = R_alloc(std::strlen(value) + 1, 1);
    std::strcpy(copies[i], value);
  }
  return copies;
}

void *pointerTo(SEXP arg) {
  switch (TYPEOF(arg)) {
    case INTSXP:
      return INTEGER(arg);
    case REALSXP:
      return REAL(arg);
    case STRSXP:
      return writableStrings(arg);
    default:
      Rf_error("in-place calls take integer, double and character vectors only");
  }
}

template <typename... Pointers>
void callWith(DL_FUNC function, Pointers... pointers) {
  auto plain = reinterpret_cast<void (*)(void)>(function);
  reinterpret_cast<void (*)(Pointers...)>(plain)(pointers...);
}

SEXP runCall(void *data) {
  InPlaceCall &call = *static_cast<InPlaceCall *>(data);
  void **p = call.pointers;
  switch (call.count) {
    case 9:
      callWith(call.function, p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8]);
      break;
    case 10:
      callWith(call.function, p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], p[9]);
      break;
    case 17:
      callWith(call.function, p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], p[8], p[9], p[10],
               p[11], p[12], p[13], p[14], p[15], p[16]);
      break;
    default:
      Rf_error("in-place calls take 9, 10 or 17 arguments");
  }
  return R_NilValue;
}

void copyStringsBack(void *data, Rboolean) {
  InPlaceCall &call = *static_cast<InPlaceCall *>(data);
  for (int i = 0; i < call.count; ++i) {
    SEXP arg = VECTOR_ELT(call.args, i);
    if (TYPEOF(arg) != STRSXP) continue;
    char **strings = static_cast<char **>(call.pointers[i]);
    for (R_xlen_t j = 0; j < Rf_xlength(arg); ++j) SET_STRING_ELT(arg, j, Rf_mkChar(strings[j]));
  }
}

}  // namespace

// symbol: an address from getNativeSymbolInfo; args: a list of the
// vectors to pass, which the caller must own alone.
extern "C" DOUBLE_EXPORT SEXP vemroDouble_callInPlace(SEXP symbol, SEXP args) {
  InPlaceCall call{R_ExternalPtrAddrFn(symbol), args, static_cast<int>(Rf_xlength(args)), {}};
  if (call.count > maxArgs) Rf_error("in-place calls take at most %d arguments", maxArgs);
  for (int i = 0; i < call.count; ++i) call.pointers[i] = pointerTo(VECTOR_ELT(args, i));
  SEXP continuation = PROTECT(R_MakeUnwindCont());
  R_UnwindProtect(runCall, &call, copyStringsBack, &call, continuation);
  UNPROTECT(1);
  return R_NilValue;
}
