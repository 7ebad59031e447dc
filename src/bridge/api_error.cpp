// Vendor status codes and the R errors that report them.
#include <R.h>

#include <cstring>

#include "exports.h"
#include "status_message.h"

namespace vemro {

const char *statusMessage(int status) {
  switch (status) {
    case 1:
      return "API: Unable to open database.";
    case 2:
      return "API: Unable to find variable name.";
    case 3:
      return "API: Unable to load variable information.";
    case 4:
      return "API: Unable to load source information.";
    case 11:
      return "API: Unable to re-open database.";
    case 20:
      return "API: Unable to set aggregation mode.";
    default:
      return "API: Unknown error.";
  }
}

}  // namespace vemro

void apiError(int code) {
  // The message is built in a zero-filled buffer of its own: nothing that
  // needs releasing is alive when the error long-jumps.
  char message[200] = {};
  std::strncpy(message, vemro::statusMessage(code), sizeof message - 1);
  Rf_error("%s", message);
}
