// vemro-serve: serves the databases under a folder to the direct-service
// client, or manages the users of a users file. See service/README.md.
#include <pthread.h>
#include <signal.h>

#include <iostream>
#include <thread>

#include "command_line.h"
#include "credentials.h"
#include "service.h"
#include "user_commands.h"

using namespace vemro::service;

namespace {

// SIGINT and SIGTERM are blocked in every thread and taken by one thread
// that stops the service: run() then returns once the requests in flight
// are answered.
sigset_t stopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  return signals;
}

std::thread stopOnSignal(Service &service) {
  sigset_t signals = stopSignals();
  return std::thread([&service, signals] {
    int received = 0;
    sigwait(&signals, &received);
    service.stop();
  });
}

int serve(const ServeOptions &options) {
  std::string problem = startupProblem(options);
  if (!problem.empty()) {
    std::cerr << "vemro-serve: " << problem << "\n";
    return 2;
  }
  sigset_t signals = stopSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  signal(SIGPIPE, SIG_IGN);  // a client gone mid-answer is not a reason to die
  ServiceSettings settings;
  settings.root = options.root;
  settings.usersFile = options.usersFile;
  settings.certFile = options.certFile;
  settings.keyFile = options.keyFile;
  Service service(settings);
  std::string url = service.bind(options.listen);
  std::thread waiter = stopOnSignal(service);
  std::cout << "listening on " << url << std::endl;
  service.run();
  // Should run() end without a signal, the waiter must not outlive the
  // service it would stop: wake it (a thread already gone ignores this).
  pthread_kill(waiter.native_handle(), SIGTERM);
  waiter.join();
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  try {
    requireSodium();
    CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!line.serve) return runUserCommand(line.user, std::cout, std::cerr);
    return serve(line.options);
  } catch (const UsageError &problem) {
    std::cerr << "vemro-serve: " << problem.what() << "\n" << usageText;
    return 2;
  } catch (const std::exception &problem) {
    std::cerr << "vemro-serve: " << problem.what() << "\n";
    return 1;
  }
}
