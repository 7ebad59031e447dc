// `vemro-serve user add|remove FILE NAME`.
#pragma once

#include <ostream>

#include "command_line.h"

namespace vemro::service {

// Adds (or replaces) the user and writes the new key once to `out`, or
// removes the user. Returns the exit status; problems go to `errors`.
int runUserCommand(const UserCommand &command, std::ostream &out, std::ostream &errors);

}  // namespace vemro::service
