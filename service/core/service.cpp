#include "service.h"

#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "request_error.h"
#include "request_log.h"

namespace vemro::service {
namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t maxBodyBytes = 1 << 20;
constexpr time_t ioTimeoutSeconds = 5;
constexpr time_t keepAliveSeconds = 5;
constexpr size_t keepAliveRequests = 1000;

// A worker thread serves one request from routing to log line.
thread_local Clock::time_point requestStart;
thread_local bool requestTimed = false;

std::unique_ptr<httplib::Server> makeServer(const ServiceSettings &settings) {
  if (settings.certFile.empty()) return std::make_unique<httplib::Server>();
  auto server =
      std::make_unique<httplib::SSLServer>(settings.certFile.c_str(), settings.keyFile.c_str());
  if (!server->is_valid())
    throw std::runtime_error("the certificate '" + settings.certFile + "' or the key '" +
                             settings.keyFile + "' cannot be used");
  return server;
}

void answerError(httplib::Response &response, int status, const std::string &message) {
  response.status = status;
  response.set_content(nlohmann::json{{"error", message}, {"status", status}}.dump(),
                       "application/json");
}

void writeToStderr(const std::string &line) { std::fprintf(stderr, "%s\n", line.c_str()); }

}  // namespace

Service::Service(ServiceSettings settings)
    : settings_(std::move(settings)),
      endpoints_(settings_.root, settings_.usersFile, settings_.pageBytes),
      server_(makeServer(settings_)) {
  if (!settings_.log) settings_.log = writeToStderr;
  configure();
  route();
}

void Service::configure() {
  size_t threads = settings_.threads;
  server_->new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  // An answer's head and body go out in separate writes; without this the
  // second waits for the client's delayed acknowledgement, some 40 ms.
  server_->set_tcp_nodelay(true);
  server_->set_payload_max_length(maxBodyBytes);
  server_->set_read_timeout(ioTimeoutSeconds);
  server_->set_write_timeout(ioTimeoutSeconds);
  server_->set_keep_alive_timeout(keepAliveSeconds);
  server_->set_keep_alive_max_count(keepAliveRequests);
  server_->set_pre_routing_handler([](const httplib::Request &, httplib::Response &) {
    requestStart = Clock::now();
    requestTimed = true;
    return httplib::Server::HandlerResponse::Unhandled;
  });
  server_->set_error_handler([](const httplib::Request &, httplib::Response &response) {
    if (response.body.empty()) answerError(response, response.status, "request refused");
  });
  server_->set_logger([this](const httplib::Request &request, const httplib::Response &response) {
    logRequest(request, response);
  });
}

httplib::Server::Handler Service::guarded(void (Endpoints::*endpoint)(const httplib::Request &,
                                                                      httplib::Response &),
                                          bool needsToken) {
  return
      [this, endpoint, needsToken](const httplib::Request &request, httplib::Response &response) {
        try {
          if (needsToken && endpoints_.needsTokens()) endpoints_.requireToken(request);
          (endpoints_.*endpoint)(request, response);
        } catch (const RequestError &refusal) {
          answerError(response, refusal.httpStatus, refusal.what());
        } catch (const std::exception &) {
          answerError(response, 500, "the service failed to answer");
        }
      };
}

void Service::route() {
  server_->Get("/v1/open", guarded(&Endpoints::open, true));
  server_->Get("/v1/names", guarded(&Endpoints::names, true));
  server_->Post("/v1/info", guarded(&Endpoints::info, true));
  server_->Post("/v1/data", guarded(&Endpoints::data, true));
  server_->Post("/v1/token", guarded(&Endpoints::token, false));
  auto wrongMethod = [](const httplib::Request &, httplib::Response &response) {
    answerError(response, 405, "method not allowed for this path");
  };
  for (const char *path : {"/v1/open", "/v1/names"}) server_->Post(path, wrongMethod);
  for (const char *path : {"/v1/info", "/v1/data", "/v1/token"}) server_->Get(path, wrongMethod);
  for (const char *path : {"/v1/open", "/v1/names", "/v1/info", "/v1/data", "/v1/token"}) {
    server_->Put(path, wrongMethod);
    server_->Delete(path, wrongMethod);
    server_->Patch(path, wrongMethod);
  }
}

void Service::logRequest(const httplib::Request &request, const httplib::Response &response) {
  double milliseconds =
      requestTimed ? std::chrono::duration<double, std::milli>(Clock::now() - requestStart).count()
                   : 0.0;
  requestTimed = false;
  settings_.log(requestLogLine(request.method, request.path, response.status, response.body.size(),
                               milliseconds));
}

std::string Service::bind(const ListenAddress &address) {
  int port = address.port;
  if (port == 0)
    port = server_->bind_to_any_port(address.host);
  else if (!server_->bind_to_port(address.host, port))
    port = -1;
  if (port <= 0)
    throw std::runtime_error("cannot listen on " +
                             serviceUrl("tcp", address.host, address.port).substr(6));
  return serviceUrl(settings_.certFile.empty() ? "http" : "https", address.host, port);
}

void Service::run() { server_->listen_after_bind(); }

void Service::stop() { server_->stop(); }

}  // namespace vemro::service
