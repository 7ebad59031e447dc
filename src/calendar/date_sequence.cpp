// Calendar dates of a run of periods: the local library counts the
// periods, and each one is labelled with the last day it covers.
#include "../bridge/exports.h"
#include "../vendor/qvbapi.h"

void c_vemroDateSeq(int *start, int *count, int *frequency, int *dates) {
  for (int position = 1; position <= count[0]; ++position) {
    int period = QVBGetDate(start[0], position, frequency[0]);
    dates[position - 1] = qvbdateToYmd(period, frequency[0]);
  }
}
