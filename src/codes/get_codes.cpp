// call_vemroGetCodes: every series code of one database, as one
// comma-separated string.
#include <R.h>

#include <cstring>

#include "../bridge/exports.h"
#include "../bridge/vendor_library.h"
#include "../vendor/qvbdapi.h"
#include "code_listing.h"

namespace {

constexpr size_t nameBytes = 512;
constexpr int openFailed = 1;

// The listing buffer comes from R's transient allocator, which R releases
// however the call ends. It is not cleared: the text is always terminated
// and nothing past it is read.
char *listingBuffer() { return R_alloc(vemro::listingBytes, 1); }

struct Listing {
  const char *text = nullptr;  // scratch memory, valid until the call ends
  size_t length = 0;
};

// Lists the open database's codes and puts the merge-data setting back.
vemro::Failure listOpenDatabase(const vemro::VendorLibrary &library, int direct, const char *name,
                                int savedMerge, Listing &result) {
  vemro::ListingText listing(listingBuffer(), vemro::listingBytes);
  // A first page that fails leaves the database open: nothing was listed.
  if (direct && QVBDGetNames(name, listing.firstPagePlace(QVBD_MAX_PAGE_BYTES)) != 0) {
    library.setMergeData(savedMerge);
    return vemro::Failure::api(openFailed);
  }
  vemro::Failure failure =
      direct ? vemro::listDirectPages(listing) : vemro::listLocalCodes(name, listing);
  vemro::restoreSettingsAndClose(library, savedMerge);
  result = {listing.text(), listing.length()};
  return failure;
}

vemro::Failure listCodes(const char *database, int direct, Listing &result) {
  size_t nameLength = std::strlen(database);
  if (nameLength >= nameBytes)
    return vemro::Failure::message(
        "database name is %zu bytes long; names of at most %zu bytes can be listed", nameLength,
        nameBytes - 1);
  char name[nameBytes] = {};
  std::memcpy(name, database, nameLength);
  const vemro::VendorLibrary &library = vemro::vendorLibrary(direct);
  int saved = vemro::takeOverSettings(library, vemro::mergeNone);
  if (library.openDatabase(name) != 0) {
    library.setMergeData(saved);
    return vemro::Failure::api(openFailed);
  }
  return listOpenDatabase(library, direct, name, saved, result);
}

}  // namespace

SEXP call_vemroGetCodes(SEXP direct, SEXP database) {
  SEXP name = PROTECT(Rf_asChar(database));
  Listing listing;
  vemro::raiseIfFailed(listCodes(R_CHAR(name), Rf_asInteger(direct), listing));
  SEXP result = Rf_ScalarString(Rf_mkCharLen(listing.text, static_cast<int>(listing.length)));
  UNPROTECT(1);
  return result;
}
