// One simulated client: its own DirectClient (so its own connection),
// looping over an info chunk, a data chunk and the pages of names until
// the deadline, with retries off so that every failure is counted.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace vemro::load {

using Clock = std::chrono::steady_clock;

struct LoadSettings {
  std::string database;
  size_t chunkCodes = 100;
  Clock::time_point deadline;
};

enum RequestKind { openRequest, infoRequest, dataRequest, namesRequest, requestKinds };

extern const char *const requestKindNames[requestKinds];

struct ClientTally {
  std::vector<double> latenciesMs[requestKinds];  // one per request, by kind
  long failed = 0;
  int firstFailure = 0;  // the client status of the first failed request
};

ClientTally runClient(const LoadSettings &settings, unsigned seed);

}  // namespace vemro::load
