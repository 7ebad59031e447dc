// The HTTP(S) server: routes, limits, timeouts, a bounded pool of worker
// threads, one log line per request. stop() ends run() once the requests
// in flight are answered.
#pragma once

#include <httplib.h>

#include <functional>
#include <memory>
#include <string>

#include "endpoints.h"
#include "listen_address.h"
#include "qvbdapi.h"

namespace vemro::service {

struct ServiceSettings {
  std::string root;
  std::string usersFile;          // empty: anyone may read
  std::string certFile, keyFile;  // both empty: plain HTTP
  size_t pageBytes = QVBD_MAX_PAGE_BYTES;
  size_t threads = 64;
  std::function<void(const std::string &)> log;  // null: a line on stderr
};

class Service {
 public:
  // Throws std::runtime_error when the root, the users file or the
  // certificate cannot be used.
  explicit Service(ServiceSettings settings);
  // Binds and listens; the URL to give clients. Throws std::runtime_error.
  std::string bind(const ListenAddress &address);
  // Accepts connections until stop().
  void run();
  void stop();

 private:
  void configure();
  void route();
  httplib::Server::Handler guarded(void (Endpoints::*endpoint)(const httplib::Request &,
                                                               httplib::Response &),
                                   bool needsToken);
  void logRequest(const httplib::Request &request, const httplib::Response &response);

  ServiceSettings settings_;
  Endpoints endpoints_;
  std::unique_ptr<httplib::Server> server_;
};

}  // namespace vemro::service
