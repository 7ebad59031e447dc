// Entry points whose subsystems are still being built. Each refuses with a
// clear error instead of touching its arguments.
#include <R.h>

#include "exports.h"

namespace {
[[noreturn]] void notYetAvailable(const char *entryPoint) {
  Rf_error("%s is not available in this build of Vemro", entryPoint);
}
}  // namespace

SEXP call_vemroSeriesInfo(SEXP, SEXP, SEXP, SEXP, SEXP, SEXP, SEXP, SEXP, SEXP, SEXP, SEXP) {
  notYetAvailable("call_vemroSeriesInfo");
}
