// The commands of vemro-db. Each takes the arguments after its name,
// prints what it reports to stdout, and throws std::runtime_error (or an
// InputError naming file and line) when it cannot do its work.
#pragma once

#include <string>
#include <vector>

namespace vemro::tool {

using Arguments = std::vector<std::string>;

void createDatabase(const Arguments &args);
void importSeries(const Arguments &args);
void exportSeries(const Arguments &args);
void listCodes(const Arguments &args);
void showSeries(const Arguments &args);
// Rewrites a file of the older schema with the checksums of each series.
void upgradeDatabase(const Arguments &args);
// False when the file has problems; they are printed.
bool verifyDatabase(const Arguments &args);

// The file for a database name: the existing file it names, else the name
// with the database extension added unless it has it already. Throws when
// the name is a folder.
std::string databasePathFor(const std::string &name);
// A period date as the YYYY-MM-DD date of its period's last day.
std::string periodEndText(int periodDate, int frequency);

}  // namespace vemro::tool
