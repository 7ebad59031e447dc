// vemro-db: builds and inspects the engine's database files.
#include <cstdio>
#include <exception>

#include "commands.h"
#include "schema.h"

namespace {

constexpr const char *usage =
    "usage: vemro-db COMMAND ARGS\n"
    "  create DB                          create an empty database\n"
    "  import DB --meta META.csv [--long DATA.csv]... [--wide DATA.csv]... [--values DATA.f64]\n"
    "                                     add or replace series from CSV\n"
    "  export DB META.csv DATA.csv        write metadata and long-layout data\n"
    "  list DB                            print every series code\n"
    "  show DB CODE                       print one series\n"
    "  verify DB                          check the whole file\n"
    "  upgrade DB                         add checksums to a file of the older schema\n"
    "  help, --help                       print this\n"
    "  --version                          print the schema version of the files it writes\n";

int run(const std::string &command, const vemro::tool::Arguments &args) {
  using namespace vemro::tool;
  if (command == "create")
    createDatabase(args);
  else if (command == "import")
    importSeries(args);
  else if (command == "export")
    exportSeries(args);
  else if (command == "list")
    listCodes(args);
  else if (command == "show")
    showSeries(args);
  else if (command == "upgrade")
    upgradeDatabase(args);
  else if (command == "verify")
    return verifyDatabase(args) ? 0 : 1;
  else if (command == "help" || command == "--help" || command == "-h")
    std::fputs(usage, stdout);
  else if (command == "--version")
    std::printf("vemro-db: database files of schema version %d\n", vemro::engine::schema::version);
  else {
    std::fputs(usage, stderr);
    return 2;
  }
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fputs(usage, stderr);
    return 2;
  }
  try {
    return run(argv[1], vemro::tool::Arguments(argv + 2, argv + argc));
  } catch (const std::exception &error) {
    std::fprintf(stderr, "vemro-db %s: %s\n", argv[1], error.what());
    return 1;
  }
}
