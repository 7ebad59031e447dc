#include "failure.h"

#include <R.h>

#include <cstdarg>
#include <cstdio>

#include "exports.h"

namespace vemro {

Failure Failure::api(int status) {
  Failure failure;
  failure.kind = Kind::api;
  failure.status = status;
  return failure;
}

Failure Failure::message(const char *format, ...) {
  Failure failure;
  failure.kind = Kind::message;
  va_list args;
  va_start(args, format);
  std::vsnprintf(failure.text, sizeof failure.text, format, args);
  va_end(args);
  return failure;
}

void raise(const Failure &failure) {
  if (failure.kind == Failure::Kind::api) apiError(failure.status);
  Rf_error("%s", failure.text);
}

}  // namespace vemro
