// One line per request: method, path, status, answer bytes, milliseconds.
// The path carries no query, so no parameter ever reaches the log, and
// credentials travel only in the body and the Authorization header.
#pragma once

#include <string>

namespace vemro::service {

std::string requestLogLine(const std::string &method, const std::string &path, int status,
                           size_t bytes, double milliseconds);

}  // namespace vemro::service
