#include "listen_address.h"

#include <arpa/inet.h>

#include <stdexcept>

namespace vemro::service {

ListenAddress parseListenAddress(const std::string &text) {
  size_t colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == text.size())
    throw std::invalid_argument("--listen wants HOST:PORT, e.g. 127.0.0.1:8750");
  ListenAddress address;
  address.host = text.substr(0, colon);
  if (address.host.front() == '[') {
    if (address.host.size() < 3 || address.host.back() != ']')
      throw std::invalid_argument("--listen: an IPv6 host goes in brackets, e.g. [::1]:8750");
    address.host = address.host.substr(1, address.host.size() - 2);
  }
  std::string port = text.substr(colon + 1);
  if (port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos ||
      std::stoi(port) > 65535)
    throw std::invalid_argument("--listen: the port must be a number from 0 to 65535");
  address.port = std::stoi(port);
  return address;
}

bool isLoopbackHost(const std::string &host) {
  if (host == "localhost") return true;
  in_addr v4;
  if (inet_pton(AF_INET, host.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  in6_addr v6;
  return inet_pton(AF_INET6, host.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

std::string serviceUrl(const std::string &scheme, const std::string &host, int port) {
  bool ipv6 = host.find(':') != std::string::npos;
  return scheme + "://" + (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

}  // namespace vemro::service
