// A request the service will not answer with data: the HTTP status to
// answer with and a short message for the client. Messages never carry a
// key or a token.
#pragma once

#include <stdexcept>
#include <string>

namespace vemro::service {

struct RequestError : std::runtime_error {
  RequestError(int httpStatus, const std::string &message)
      : std::runtime_error(message), httpStatus(httpStatus) {}
  int httpStatus;
};

}  // namespace vemro::service
