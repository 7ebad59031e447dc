#include "statuses.h"

namespace vemro::client::status {

int fromHttpCode(long httpCode) {
  if (httpCode == 200) return ok;
  if (httpCode == 401) return notAuthenticated;
  if (httpCode == 404) return noDatabase;
  if (httpCode == 400 || httpCode == 403 || httpCode == 405 || httpCode == 413) return refused;
  if (httpCode >= 500 && httpCode <= 599) return unreachable;
  return malformedAnswer;
}

}  // namespace vemro::client::status
