#include "command_line.h"

namespace vemro::service {
namespace {

CommandLine userCommand(const std::vector<std::string> &args) {
  if (args.size() != 4 || (args[1] != "add" && args[1] != "remove"))
    throw UsageError("user commands: 'user add FILE NAME' or 'user remove FILE NAME'");
  CommandLine line;
  line.serve = false;
  line.user = UserCommand{args[1] == "add", args[2], args[3]};
  return line;
}

ServeOptions serveOptions(const std::vector<std::string> &args) {
  ServeOptions options;
  for (size_t i = 0; i < args.size(); i += 2) {
    const std::string &option = args[i];
    if (i + 1 >= args.size()) throw UsageError(option + " needs a value");
    const std::string &value = args[i + 1];
    if (option == "--root") {
      options.root = value;
    } else if (option == "--listen") {
      try {
        options.listen = parseListenAddress(value);
      } catch (const std::invalid_argument &problem) {
        throw UsageError(problem.what());
      }
    } else if (option == "--users") {
      options.usersFile = value;
    } else if (option == "--cert") {
      options.certFile = value;
    } else if (option == "--key") {
      options.keyFile = value;
    } else {
      throw UsageError("unknown option " + option);
    }
  }
  if (options.root.empty()) throw UsageError("--root DIR is required");
  if (options.certFile.empty() != options.keyFile.empty())
    throw UsageError("--cert and --key go together");
  return options;
}

}  // namespace

const char *const usageText =
    "usage: vemro-serve --root DIR [--listen HOST:PORT] [--users FILE] [--cert FILE --key FILE]\n"
    "       vemro-serve user add FILE NAME\n"
    "       vemro-serve user remove FILE NAME\n";

CommandLine parseCommandLine(const std::vector<std::string> &args) {
  if (!args.empty() && args[0] == "user") return userCommand(args);
  CommandLine line;
  line.options = serveOptions(args);
  return line;
}

std::string startupProblem(const ServeOptions &options) {
  if (options.usersFile.empty() && !isLoopbackHost(options.listen.host))
    return "refusing to serve without --users on " + options.listen.host +
           ", which is not a loopback address: anyone who can reach it could read";
  return {};
}

}  // namespace vemro::service
