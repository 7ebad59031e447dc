#include "vendor_library.h"

#include "../vendor/qvbapi.h"
#include "../vendor/qvbdapi.h"

namespace vemro {

namespace {

const VendorLibrary localLibrary = {QVBEnableRetries, QVBEnableAnsi,   QVBGetMergeData,
                                    QVBSetMergeData,  QVBOpenDatabase, QVBCloseDatabase,
                                    QVBGetObsNum};

const VendorLibrary directLibrary = {QVBDEnableRetries, QVBDEnableAnsi,   QVBDGetMergeData,
                                     QVBDSetMergeData,  QVBDOpenDatabase, QVBDCloseDatabase,
                                     QVBDGetObsNum};

}  // namespace

const VendorLibrary &vendorLibrary(int direct) { return direct ? directLibrary : localLibrary; }

int takeOverSettings(const VendorLibrary &library, int mergeSetting) {
  library.enableRetries(1);
  library.enableAnsi(0);
  int saved = library.getMergeData();
  library.setMergeData(mergeSetting);
  return saved;
}

void restoreSettingsAndClose(const VendorLibrary &library, int savedMerge) {
  library.setMergeData(savedMerge);
  library.closeDatabase();
}

}  // namespace vemro
