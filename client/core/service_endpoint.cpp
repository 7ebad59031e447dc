#include "service_endpoint.h"

#include <arpa/inet.h>
#include <curl/curl.h>

#include <cstdlib>
#include <memory>

namespace vemro::client {
namespace {

constexpr const char *defaultUrl = "http://127.0.0.1:8750";

struct UrlDeleter {
  void operator()(CURLU *url) const { curl_url_cleanup(url); }
};

std::string part(CURLU *url, CURLUPart which) {
  char *text = nullptr;
  if (curl_url_get(url, which, &text, 0) != CURLUE_OK || text == nullptr) return {};
  std::string value(text);
  curl_free(text);
  return value;
}

// Only literal loopback addresses and "localhost" count: a name such as
// 127.example.org may resolve anywhere.
bool isLoopbackHost(std::string host) {
  if (host == "localhost") return true;
  in_addr v4;
  if (inet_pton(AF_INET, host.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  if (host.size() > 2 && host.front() == '[' && host.back() == ']')
    host = host.substr(1, host.size() - 2);
  in6_addr v6;
  return inet_pton(AF_INET6, host.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

}  // namespace

ServiceEndpoint endpointFor(const std::string &url, const std::string &caFile) {
  ServiceEndpoint endpoint;
  std::unique_ptr<CURLU, UrlDeleter> parsed(curl_url());
  if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK)
    return endpoint;
  std::string scheme = part(parsed.get(), CURLUPART_SCHEME);
  if (scheme != "http" && scheme != "https") return endpoint;
  endpoint.baseUrl = url;
  while (!endpoint.baseUrl.empty() && endpoint.baseUrl.back() == '/') endpoint.baseUrl.pop_back();
  endpoint.caFile = caFile;
  endpoint.safeForCredentials =
      scheme == "https" || isLoopbackHost(part(parsed.get(), CURLUPART_HOST));
  endpoint.valid = true;
  return endpoint;
}

ServiceEndpoint endpointFromEnvironment() {
  const char *url = std::getenv("VEMRO_SERVICE");
  const char *caFile = std::getenv("VEMRO_CA_FILE");
  return endpointFor(url && *url ? url : defaultUrl, caFile ? caFile : "");
}

}  // namespace vemro::client
