// A refused input line: names the file, the line and the reason.
#pragma once

#include <stdexcept>
#include <string>

namespace vemro::engine {

class InputError : public std::runtime_error {
 public:
  InputError(const std::string &file, long line, const std::string &reason)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + reason) {}
};

}  // namespace vemro::engine
