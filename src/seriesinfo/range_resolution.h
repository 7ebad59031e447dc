// The common frequency, date range and observation count of the series
// that call_vemroSeriesInfo read. Series that cannot take part are set
// aside into three lists (no data, higher frequency, lower frequency) of
// the caller's set-aside argument; the frequency, start and end period
// dates and the observation count overwrite the caller's range request.
// A series whose entries were never written (its database was not
// visited or did not open) goes to the no-data list, so its undefined
// record never sways the frequency or the dates.
#ifndef VEMRO_SERIESINFO_RANGE_RESOLUTION_H
#define VEMRO_SERIESINFO_RANGE_RESOLUTION_H

#include <Rinternals.h>

#include "series_info_call.h"

namespace vemro {
namespace seriesinfo {

// Asks the library the call chose for the observation count, so that
// library must still be set up.
void resolveRange(const SeriesInfoCall &call, SEXP columns, const unsigned char *written);

}  // namespace seriesinfo
}  // namespace vemro

#endif
