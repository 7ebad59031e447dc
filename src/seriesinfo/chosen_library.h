// The vendor calls of the batch series information, each made with the
// library that the call's direct-service flag chose: the local library when
// direct is false, the direct service otherwise.
#ifndef VEMRO_SERIESINFO_CHOSEN_LIBRARY_H
#define VEMRO_SERIESINFO_CHOSEN_LIBRARY_H

#include "../vendor/qvbapi.h"
#include "../vendor/qvbdapi.h"

namespace vemro {
namespace seriesinfo {

constexpr int mergeSingle = 1;
constexpr int mergeCombined = 3;

inline void setMergeData(bool direct, int setting) {
  if (direct)
    QVBDSetMergeData(setting);
  else
    QVBSetMergeData(setting);
}

// Retries on, ANSI off, then the batch's merge-data setting. Returns the
// setting found, which restoreAndClose puts back.
inline int setUpLibrary(bool direct, int merge) {
  if (direct) {
    QVBDEnableRetries(1);
    QVBDEnableAnsi(0);
  } else {
    QVBEnableRetries(1);
    QVBEnableAnsi(0);
  }
  int saved = direct ? QVBDGetMergeData() : QVBGetMergeData();
  // The single setting comes first in every case, so a merging batch
  // makes two calls.
  setMergeData(direct, mergeSingle);
  if (merge != 0) setMergeData(direct, mergeCombined);
  return saved;
}

inline void restoreAndClose(bool direct, int saved) {
  setMergeData(direct, saved);
  if (direct)
    QVBDCloseDatabase();
  else
    QVBCloseDatabase();
}

inline int openDatabase(bool direct, const char *name) {
  return direct ? QVBDOpenDatabase(name) : QVBOpenDatabase(name);
}

inline int observationCount(bool direct, int startPeriod, int endPeriod, int frequency) {
  return direct ? QVBDGetObsNum(startPeriod, endPeriod, frequency)
                : QVBGetObsNum(startPeriod, endPeriod, frequency);
}

}  // namespace seriesinfo
}  // namespace vemro

#endif
