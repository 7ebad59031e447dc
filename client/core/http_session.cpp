#include "http_session.h"

#include <strings.h>

#include <chrono>
#include <cstring>
#include <random>
#include <thread>

#include "statuses.h"

namespace vemro::client {
namespace {

constexpr int retryLimit = 3;
// No retry starts this long after the first try: a dead service is
// reported within seconds even when each try runs into its timeout.
constexpr std::chrono::seconds retryWindow(8);
constexpr long connectTimeoutMs = 2000;
constexpr long baseTimeoutMs = 5000;
constexpr long bytesPerExtraSecond = 16L << 20;

struct Receipt {
  HttpAnswer *answer;
  size_t maxBytes;
  bool oversized = false;
};

bool headerIs(const char *line, size_t length, const char *name, const char **value) {
  size_t nameLength = std::strlen(name);
  if (length <= nameLength || strncasecmp(line, name, nameLength) != 0) return false;
  *value = line + nameLength;
  return true;
}

size_t onHeader(char *line, size_t size, size_t count, void *user) {
  auto *receipt = static_cast<Receipt *>(user);
  size_t length = size * count;
  const char *value = nullptr;
  if (headerIs(line, length, "X-Vemro-Observations:", &value))
    receipt->answer->observations = std::strtoll(value, nullptr, 10);
  else if (headerIs(line, length, "Content-Length:", &value)) {
    unsigned long long announced = std::strtoull(value, nullptr, 10);
    if (announced <= receipt->maxBytes) receipt->answer->body.reserve(announced);
  }
  return length;
}

size_t onBody(char *data, size_t size, size_t count, void *user) {
  auto *receipt = static_cast<Receipt *>(user);
  size_t length = size * count;
  if (receipt->answer->body.size() + length > receipt->maxBytes) {
    receipt->oversized = true;
    return 0;  // aborts the transfer
  }
  receipt->answer->body.append(data, length);
  return length;
}

bool isTransient(const HttpAnswer &answer) { return answer.status == status::unreachable; }

void backOff(int attempt) {
  static thread_local std::minstd_rand jitter(std::random_device{}());
  long delayMs = 100L << attempt;
  delayMs += std::uniform_int_distribution<long>(0, delayMs)(jitter);
  std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
}

int transportStatus(CURLcode code, bool oversized) {
  if (oversized) return status::malformedAnswer;
  switch (code) {
    case CURLE_OK:
      return status::ok;
    case CURLE_WRITE_ERROR:
    case CURLE_BAD_CONTENT_ENCODING:
    case CURLE_WEIRD_SERVER_REPLY:
      return status::malformedAnswer;
    default:  // refused, reset, timed out, TLS failure, name not found
      return status::unreachable;
  }
}

}  // namespace

HttpSession::HttpSession() : handle_(curl_easy_init()) {
  char *bundle = nullptr;
  if (handle_ && curl_easy_getinfo(handle_, CURLINFO_CAINFO, &bundle) == CURLE_OK && bundle)
    defaultCaFile_ = bundle;
}

HttpSession::~HttpSession() {
  if (handle_) curl_easy_cleanup(handle_);
}

void HttpSession::useEndpoint(const ServiceEndpoint &endpoint) { endpoint_ = endpoint; }

std::string HttpSession::escape(const std::string &text) {
  char *escaped = curl_easy_escape(handle_, text.data(), static_cast<int>(text.size()));
  std::string result(escaped ? escaped : "");
  curl_free(escaped);
  return result;
}

HttpAnswer HttpSession::send(const HttpRequest &request) {
  auto start = std::chrono::steady_clock::now();
  HttpAnswer answer = attempt(request);
  for (int tries = 0; retries_ && isTransient(answer) && tries < retryLimit &&
                      std::chrono::steady_clock::now() - start < retryWindow;
       ++tries) {
    backOff(tries);
    answer = attempt(request);
  }
  return answer;
}

HttpAnswer HttpSession::attempt(const HttpRequest &request) {
  HttpAnswer answer;
  if (handle_ == nullptr || !endpoint_.valid) {
    answer.status = status::unreachable;
    return answer;
  }
  Receipt receipt{&answer, request.maxAnswerBytes};
  std::string url = endpoint_.baseUrl + request.path;
  curl_slist *headers = nullptr;
  std::string bearer = "Authorization: Bearer " + request.token;
  if (!request.token.empty()) headers = curl_slist_append(headers, bearer.c_str());
  if (!request.body.empty()) headers = curl_slist_append(headers, "Content-Type: application/json");
  headers = curl_slist_append(headers, "Expect:");

  CURL *h = handle_;
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(h, CURLOPT_CAINFO,
                   endpoint_.caFile.empty() ? nullptr : endpoint_.caFile.c_str());
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, connectTimeoutMs);
  curl_easy_setopt(h, CURLOPT_TIMEOUT_MS,
                   baseTimeoutMs + 1000L * (request.expectedBytes / bytesPerExtraSecond));
  if (request.body.empty()) {
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
  } else {
    curl_easy_setopt(h, CURLOPT_POSTFIELDS, request.body.c_str());
    curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
  }
  curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, onHeader);
  curl_easy_setopt(h, CURLOPT_HEADERDATA, &receipt);
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, onBody);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &receipt);

  CURLcode code = curl_easy_perform(h);
  curl_slist_free_all(headers);
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, nullptr);
  answer.status = transportStatus(code, receipt.oversized);
  if (answer.status == status::ok) {
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &answer.httpCode);
    if (answer.httpCode >= 500) answer.status = status::unreachable;
  }
  return answer;
}

}  // namespace vemro::client
