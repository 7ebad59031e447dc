// A loopback HTTP server for the client tests: each path answers with
// what the test sets, and every request is recorded so tests can count
// round trips and read what the client sent.
#pragma once

#include <httplib.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct RecordedRequest {
  std::string method, path, body, authorization;
  std::map<std::string, std::string> params;
};

class CannedService {
 public:
  using Handler = std::function<void(const httplib::Request &, httplib::Response &)>;

  // Plain HTTP, or HTTPS with the given certificate and key files.
  CannedService();
  CannedService(const std::string &certFile, const std::string &keyFile);
  ~CannedService();

  void on(const std::string &path, Handler handler);
  std::string url() const;
  std::vector<RecordedRequest> requests();
  size_t countOf(const std::string &path);

 private:
  void start();
  void serve(const httplib::Request &request, httplib::Response &response);
  std::unique_ptr<httplib::Server> server_;
  std::string scheme_;
  int port_ = 0;
  std::thread thread_;
  std::mutex mutex_;
  std::map<std::string, Handler> handlers_;
  std::vector<RecordedRequest> requests_;
};

// Answers with that HTTP code and body (Content-Type by the body's kind).
CannedService::Handler answerWith(int code, const std::string &body,
                                  const std::string &type = "application/json");
