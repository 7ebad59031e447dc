// libFuzzer target: a mutated database file goes through open, listing,
// information and data reads (own frequency and aggregated, both modes).
// Every call must return a status; the sanitizers catch anything else.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "qvbapi.h"

namespace {

constexpr int maxSeries = 200;
constexpr int maxObservations = 100000;

const std::string &scratchFile() {
  static const std::string path = "/tmp/vemro-fuzz-" + std::to_string(getpid()) + ".vdb";
  return path;
}

void readSeries(const SeriesInfo &listed, std::vector<double> &out) {
  SeriesInfo info;
  if (QVBGetInfo(nullptr, listed.code, &info) != 0) return;
  int first = info.firstPeriod, last = info.lastPeriod, frequency = info.frequency;
  for (int target : {frequency, 10, 40, 57}) {
    int count = QVBGetObsNum(first, last, target);
    if (count > maxObservations) continue;
    out.assign(static_cast<size_t>(count) + 1, 0.0);
    for (int mode : {0, 1}) {
      QVBSetAggregationMode(mode);
      QVBGetData(nullptr, listed.code, first, last, target, out.data());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FILE *file = std::fopen(scratchFile().c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  std::vector<double> out;
  SeriesInfo listed;
  if (QVBGetNextVar(scratchFile().c_str(), nullptr, &listed) == 0) {
    for (int i = 0; i < maxSeries; ++i) {
      std::string code = listed.code;
      readSeries(listed, out);
      if (QVBGetNextVar(nullptr, code.c_str(), &listed) != 0) break;
    }
  }
  QVBCloseDatabase();
  return 0;
}
