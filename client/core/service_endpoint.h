// Where the service is: VEMRO_SERVICE (a URL, default
// http://127.0.0.1:8750) and VEMRO_CA_FILE (a CA bundle to trust), read
// afresh at each open and authentication so a process can move between
// services.
#pragma once

#include <string>

namespace vemro::client {

struct ServiceEndpoint {
  std::string baseUrl;  // without a trailing slash
  std::string caFile;   // empty: the system's trust store
  // Credentials travel only over TLS, or over plain HTTP to this machine.
  bool safeForCredentials = false;
  bool valid = false;
};

ServiceEndpoint endpointFromEnvironment();
ServiceEndpoint endpointFor(const std::string &url, const std::string &caFile);

}  // namespace vemro::client
