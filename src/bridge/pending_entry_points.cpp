// Entry points whose subsystems are still being built. Each refuses with a
// clear error instead of touching its arguments.
#include <R.h>

#include "exports.h"

namespace {
[[noreturn]] void notYetAvailable(const char *entryPoint) {
  Rf_error("%s is not available in this build of Vemro", entryPoint);
}
}  // namespace

void qvbGetInfo(char **, char **, int *, int *, int *, int *, int *, int *, int *, int *, int *,
                char **, char **, char **, char **, char **, char **) {
  notYetAvailable("qvbGetInfo");
}
void getObsNum(char **, int *, char **, char **, int *, int *, int *, int *, int *) {
  notYetAvailable("getObsNum");
}
void c_vemroGetData(int *, double *, char **, char **, char **, int *, int *, int *, int *, int *,
                    int *, int *, int *) {
  notYetAvailable("c_vemroGetData");
}
void qvbGetData(char **, int *, char **, char **, int *, int *, int *, int *, int *, double *) {
  notYetAvailable("qvbGetData");
}
SEXP call_vemroGetCodes(SEXP, SEXP) { notYetAvailable("call_vemroGetCodes"); }
