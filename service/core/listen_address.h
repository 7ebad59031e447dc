// Where the service listens: HOST:PORT, with an IPv6 host in brackets.
#pragma once

#include <string>

namespace vemro::service {

struct ListenAddress {
  std::string host = "127.0.0.1";  // without brackets
  int port = 8750;                 // 0: any free port
};

// Throws std::invalid_argument for anything but HOST:PORT with a port in 0..65535.
ListenAddress parseListenAddress(const std::string &text);

// Only literal loopback addresses and "localhost" count: any other name
// may resolve to an address that others can reach.
bool isLoopbackHost(const std::string &host);

// The URL clients use for that host and port.
std::string serviceUrl(const std::string &scheme, const std::string &host, int port);

}  // namespace vemro::service
