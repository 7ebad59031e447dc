#include <cstring>

#include "../vendor/qvbdapi.h"
#include "code_listing.h"

namespace vemro {

namespace {

// The first page and at most this many continuations are listed.
constexpr int maxContinuations = 31;
constexpr size_t pageBytes = QVBD_MAX_PAGE_BYTES;

static_assert((maxContinuations + 1) * pageBytes <= listingBytes,
              "every page of a listing finds room in the listing buffer");

// A page's length, or pageBytes when it breaks the library's page bound;
// the scan never leaves the room the page was given.
size_t pageLength(const char *page) { return strnlen(page, pageBytes); }

Failure overlongPage() {
  return Failure::message("the direct service sent a page of codes longer than %zu bytes",
                          pageBytes - 1);
}

}  // namespace

Failure listDirectPages(ListingText &listing) {
  size_t length = pageLength(listing.text());
  if (length == pageBytes) return overlongPage();
  listing.keepFirstPage(length);
  for (int continuation = 1; continuation <= maxContinuations; ++continuation) {
    char *place = listing.nextPagePlace(pageBytes);
    if (!place) return Failure::message("the code listing does not fit in %zu bytes", listingBytes);
    int status = QVBDGetNames(nullptr, place);
    if (status == QVBD_NO_MORE_PAGES) {
      listing.dropNextPage();
      break;
    }
    if (status != 0) {
      listing.dropNextPage();
      continue;
    }
    length = pageLength(place);
    if (length == pageBytes) return overlongPage();
    listing.keepNextPage(length);
  }
  return Failure::none();
}

}  // namespace vemro
