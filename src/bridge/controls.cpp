// Pass-through controls of the vendor libraries' state: close, aggregation
// mode, authentication. Values travel unchanged in both directions.
#include "../vendor/qvbapi.h"
#include "../vendor/qvbdapi.h"
#include "exports.h"
#include "failure.h"

namespace {

constexpr int setterFailed = -1;

vemro::Failure setLocalAggregation(int mode) {
  if (QVBSetAggregationMode(mode) == setterFailed)
    return vemro::Failure::message("Unable to set aggregation mode");
  return vemro::Failure::none();
}

vemro::Failure setAggregation(int direct, int mode) {
  int result = direct ? QVBDSetAggregationMode(mode) : QVBSetAggregationMode(mode);
  // The status handed on is the setter's -1 itself, which apiError words
  // as an unknown error.
  if (result == setterFailed) return vemro::Failure::api(result);
  return vemro::Failure::none();
}

}  // namespace

void c_vemroCloseDb(int *status) { status[0] = QVBCloseDatabase(); }

void c_vemroAuthenticate(void *credential1, void *credential2, int *status) {
  status[0] = QVBDAuthenticate(credential1, credential2);
}

void qvbGetAggregation(int *mode) { mode[0] = QVBGetAggregationMode(); }

void qvbSetAggregation(int *mode) { vemro::raiseIfFailed(setLocalAggregation(mode[0])); }

void c_getAggmode(int *direct, int *mode) {
  mode[0] = direct[0] ? QVBDGetAggregationMode() : QVBGetAggregationMode();
}

void c_setAggmode(int *direct, int *mode) {
  vemro::raiseIfFailed(setAggregation(direct[0], mode[0]));
}
