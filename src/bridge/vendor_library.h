// The calls that both vendor client libraries offer under their own names,
// gathered so that an entry point chooses the library once by its
// direct-service flag and then takes the same steps on either side.
#ifndef VEMRO_BRIDGE_VENDOR_LIBRARY_H
#define VEMRO_BRIDGE_VENDOR_LIBRARY_H

namespace vemro {

// Merge-data settings the entry points ask for: a batch reads single
// series, or merged ones when the caller's merge flag is set; a listing
// asks for none.
constexpr int mergeNone = 0;
constexpr int mergeSingle = 1;
constexpr int mergeCombined = 3;

struct VendorLibrary {
  int (*enableRetries)(int flag);
  int (*enableAnsi)(int flag);
  int (*getMergeData)();
  int (*setMergeData)(int setting);
  int (*openDatabase)(const char *database);
  int (*closeDatabase)();
  int (*observationCount)(int firstPeriod, int lastPeriod, int frequency);
};

// The direct service for any non-zero flag, else the local library.
const VendorLibrary &vendorLibrary(int direct);

// Switches retries on and ANSI off, sets the merge-data setting and
// returns the one it replaced, which the caller puts back.
int takeOverSettings(const VendorLibrary &library, int mergeSetting);

// Puts the saved merge-data setting back and closes the open database.
void restoreSettingsAndClose(const VendorLibrary &library, int savedMerge);

}  // namespace vemro

#endif
