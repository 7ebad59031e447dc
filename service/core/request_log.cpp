#include "request_log.h"

#include <cstdio>

namespace vemro::service {
namespace {

constexpr size_t maxLoggedPathBytes = 200;

// A path is whatever a client sent: control characters and overlong paths
// must not forge or flood log lines.
std::string printable(const std::string &text) {
  std::string shown;
  for (size_t i = 0; i < text.size() && i < maxLoggedPathBytes; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    shown += c < 0x21 || c >= 0x7f ? '?' : static_cast<char>(c);
  }
  if (text.size() > maxLoggedPathBytes) shown += "...";
  return shown;
}

}  // namespace

std::string requestLogLine(const std::string &method, const std::string &path, int status,
                           size_t bytes, double milliseconds) {
  char timing[32];
  std::snprintf(timing, sizeof timing, "%.3f", milliseconds);
  return printable(method) + " " + printable(path) + " " + std::to_string(status) + " " +
         std::to_string(bytes) + " bytes " + timing + " ms";
}

}  // namespace vemro::service
