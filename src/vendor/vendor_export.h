// Marks the functions that a vendor library build exports. Its sources are
// compiled with hidden visibility, so nothing else leaves the library.
#ifndef VEMRO_VENDOR_EXPORT_H
#define VEMRO_VENDOR_EXPORT_H

#define QVB_EXPORT __attribute__((visibility("default")))

#endif
