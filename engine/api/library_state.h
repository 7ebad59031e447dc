// What the library keeps process-wide between calls: the open database
// (replaced by each open, released by close) and the switches the caller
// sets. One instance lives for the life of the process.
#pragma once

#include <memory>
#include <string>

#include "../core/conversion.h"
#include "../core/database.h"

namespace vemro::engine {

struct LibraryState {
  std::unique_ptr<Database> database;
  std::string databaseName;  // as the caller named it
  int mergeData = 1;
  int retries = 0;
  int ansi = 0;
  AggregationMode aggregationMode = strictAggregation;

  // Opens the named database in place of the open one; with nothing usable,
  // no database is open afterwards.
  int open(const char *name);
  // The named database, opening it unless it is the one already open; with
  // null, the open one. Null when neither is available.
  Database *databaseFor(const char *name);
  void close();
};

LibraryState &libraryState();

}  // namespace vemro::engine
