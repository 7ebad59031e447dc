#include <cstring>

#include "../vendor/qvbapi.h"
#include "code_listing.h"

namespace vemro {

Failure listLocalCodes(const char *database, ListingText &listing) {
  SeriesInfo record{};
  // The code of the series last handed out, which asks for the next one.
  char previous[sizeof record.code + 1] = {};
  int status = QVBGetNextVar(database, nullptr, &record);
  while (status == 0) {
    size_t length = strnlen(record.code, sizeof record.code);
    std::memcpy(previous, record.code, length);
    previous[length] = '\0';
    if (!listing.appendCode(previous, length))
      return Failure::message("the code listing of database %s does not fit in %zu bytes", database,
                              listingBytes);
    status = QVBGetNextVar(nullptr, previous, &record);
  }
  listing.dropFinalComma();
  return Failure::none();
}

}  // namespace vemro
