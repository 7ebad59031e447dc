// vemro-service-load DATABASE CLIENTS SECONDS [CHUNK]: CLIENTS concurrent
// clients read from the service that VEMRO_SERVICE names for SECONDS, each
// looping over open, an info and a data chunk of CHUNK codes (default 100)
// and the pages of names. Prints requests/s, latency percentiles overall
// and by kind of request, and the failed requests; exits 1 when any failed.
#include <curl/curl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>

#include "latency_summary.h"
#include "load_client.h"

using namespace vemro::load;

namespace {

struct Arguments {
  std::string database;
  int clients = 0;
  double seconds = 0;
  size_t chunk = 100;
};

bool parse(int argc, char **argv, Arguments *arguments) {
  if (argc < 4 || argc > 5) return false;
  arguments->database = argv[1];
  arguments->clients = std::atoi(argv[2]);
  arguments->seconds = std::atof(argv[3]);
  if (argc == 5) arguments->chunk = static_cast<size_t>(std::atol(argv[4]));
  return arguments->clients > 0 && arguments->clients <= 256 && arguments->seconds > 0 &&
         arguments->seconds <= 3600 && arguments->chunk > 0;
}

ClientTally runAll(const Arguments &arguments) {
  LoadSettings settings;
  settings.database = arguments.database;
  settings.chunkCodes = arguments.chunk;
  settings.deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                         std::chrono::duration<double>(arguments.seconds));
  std::vector<std::future<ClientTally>> running;
  for (int i = 0; i < arguments.clients; ++i)
    running.push_back(std::async(std::launch::async, runClient, settings, 1000u + i));
  ClientTally all;
  for (auto &client : running) {
    ClientTally one = client.get();
    for (int kind = 0; kind < requestKinds; ++kind)
      all.latenciesMs[kind].insert(all.latenciesMs[kind].end(), one.latenciesMs[kind].begin(),
                                   one.latenciesMs[kind].end());
    if (all.failed == 0) all.firstFailure = one.firstFailure;
    all.failed += one.failed;
  }
  return all;
}

void printLatencies(const char *what, std::vector<double> sorted) {
  std::sort(sorted.begin(), sorted.end());
  std::printf("%-6s %7zu requests, latency ms: p50 %6.2f  p95 %6.2f  p99 %6.2f  max %7.2f\n", what,
              sorted.size(), percentile(sorted, 0.50), percentile(sorted, 0.95),
              percentile(sorted, 0.99), percentile(sorted, 1.0));
}

std::vector<double> everyLatency(const ClientTally &all) {
  std::vector<double> every;
  for (const std::vector<double> &kind : all.latenciesMs)
    every.insert(every.end(), kind.begin(), kind.end());
  return every;
}

void report(const Arguments &arguments, const ClientTally &all, double elapsed) {
  std::vector<double> every = everyLatency(all);
  std::printf("clients %d, chunks of %zu codes, %.1f s\n", arguments.clients, arguments.chunk,
              elapsed);
  std::printf("%.1f requests/s\n", static_cast<double>(every.size()) / elapsed);
  printLatencies("all", every);
  for (int kind = 0; kind < requestKinds; ++kind)
    printLatencies(requestKindNames[kind], all.latenciesMs[kind]);
  std::printf("failed requests %ld", all.failed);
  if (all.failed > 0) std::printf(" (first with client status %d)", all.firstFailure);
  std::printf("\n");
}

}  // namespace

int main(int argc, char **argv) {
  Arguments arguments;
  if (!parse(argc, argv, &arguments)) {
    std::fprintf(stderr,
                 "usage: vemro-service-load DATABASE CLIENTS(1-256) SECONDS(<=3600) [CHUNK]\n");
    return 2;
  }
  // Once, before any thread makes a handle.
  if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return 2;
  Clock::time_point start = Clock::now();
  ClientTally all = runAll(arguments);
  double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  report(arguments, all, elapsed);
  curl_global_cleanup();
  return all.failed == 0 && !everyLatency(all).empty() ? 0 : 1;
}
