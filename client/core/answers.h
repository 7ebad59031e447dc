// Reading the service's answers. Each reader checks the whole answer's
// size and shape first and returns a client status; nothing is kept from
// an answer that fails a check.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "series_info.h"

namespace vemro::client {

// One entry of an information answer: status and, for 0, the record.
struct InfoEntry {
  int status;
  SeriesInfo record;
};
int readInfoAnswer(const std::string &body, size_t codeCount, std::vector<InfoEntry> *entries);

// A data answer: count int32 statuses, then count blocks of
// observations float64 each, all little-endian.
int checkDataAnswer(const std::string &body, size_t codeCount, long long announced,
                    int observations);
int32_t dataStatusAt(const std::string &body, size_t index);
const char *dataBlockAt(const std::string &body, size_t codeCount, size_t index, int observations);

struct NamesPage {
  std::string codes;
  bool more = false;
};
// maxBytes: the room of the caller's page, terminating NUL included.
int readNamesAnswer(const std::string &body, size_t maxBytes, NamesPage *page);

int readTokenAnswer(const std::string &body, std::string *token);

}  // namespace vemro::client
