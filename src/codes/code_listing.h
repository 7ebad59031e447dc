// The two ways of listing a database's codes into a ListingText. The
// database is open, the settings are taken over, and the caller puts them
// back and closes the database afterwards.
#ifndef VEMRO_CODES_CODE_LISTING_H
#define VEMRO_CODES_CODE_LISTING_H

#include <cstddef>

#include "../bridge/failure.h"
#include "listing_text.h"

namespace vemro {

// The listing buffer's size: the longest listing a call can return, with
// its terminating NUL.
constexpr size_t listingBytes = 50000000;

// Codes handed out one by one by the local library, joined by commas.
Failure listLocalCodes(const char *database, ListingText &listing);

// Pages of the direct service after its first one, which the caller asked
// for at firstPagePlace(); joined by commas, failed pages dropped.
Failure listDirectPages(ListingText &listing);

}  // namespace vemro

#endif
