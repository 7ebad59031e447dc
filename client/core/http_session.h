// One HTTP/1.1 session with the service over a single reused libcurl
// handle, so consecutive requests share a kept-alive connection. Transient
// failures (refused or reset connection, timeout, 5xx) are retried with
// exponential backoff and jitter when retries are on; 4xx never is.
#pragma once

#include <curl/curl.h>

#include <cstddef>
#include <string>

#include "service_endpoint.h"

namespace vemro::client {

struct HttpRequest {
  std::string path;  // with its query, escaped by the caller
  std::string body;  // JSON; a request with a body is a POST
  std::string token;
  size_t maxAnswerBytes = 1 << 20;
  long expectedBytes = 0;  // scales the whole-request timeout
};

struct HttpAnswer {
  int status = 0;  // 0: an answer with httpCode arrived; else a client status
  long httpCode = 0;
  std::string body;
  long long observations = -1;  // the X-Vemro-Observations header, -1 when absent
};

class HttpSession {
 public:
  HttpSession();
  ~HttpSession();
  HttpSession(const HttpSession &) = delete;
  HttpSession &operator=(const HttpSession &) = delete;

  void useEndpoint(const ServiceEndpoint &endpoint);
  const ServiceEndpoint &endpoint() const { return endpoint_; }
  void setRetries(bool on) { retries_ = on; }
  HttpAnswer send(const HttpRequest &request);
  std::string escape(const std::string &text);

 private:
  HttpAnswer attempt(const HttpRequest &request);
  CURL *handle_;
  std::string defaultCaFile_;  // libcurl's own bundle, used when no CA file is named
  ServiceEndpoint endpoint_;
  bool retries_ = false;
};

}  // namespace vemro::client
