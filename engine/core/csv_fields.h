// Parsing of single CSV fields; each throws an InputError naming the line.
#pragma once

#include <cstdint>
#include <string>

#include "csv_reader.h"

namespace vemro::engine {

// Day number of a YYYY-MM-DD date.
int64_t parseDay(const CsvReader &reader, const std::string &text);
// YYYYMMDD form of a YYYY-MM-DD date.
int parseDateNumber(const CsvReader &reader, const std::string &text);
int parseInteger(const CsvReader &reader, const std::string &what, const std::string &text);
// NaN for an empty field or NA.
double parseValue(const CsvReader &reader, const std::string &text);

}  // namespace vemro::engine
