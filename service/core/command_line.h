// The command line of vemro-serve:
//   vemro-serve --root DIR [--listen HOST:PORT] [--users FILE] [--cert FILE --key FILE]
//   vemro-serve user add FILE NAME
//   vemro-serve user remove FILE NAME
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "listen_address.h"

namespace vemro::service {

struct ServeOptions {
  std::string root;
  ListenAddress listen;
  std::string usersFile;  // empty: anyone may read, loopback only
  std::string certFile, keyFile;
};

struct UserCommand {
  bool add = true;  // else remove
  std::string file, name;
};

struct CommandLine {
  bool serve = true;  // else a user command
  ServeOptions options;
  UserCommand user;
};

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Throws UsageError with what is wrong.
CommandLine parseCommandLine(const std::vector<std::string> &args);

// Why these options must not start a service; empty when they may.
std::string startupProblem(const ServeOptions &options);

extern const char *const usageText;

}  // namespace vemro::service
