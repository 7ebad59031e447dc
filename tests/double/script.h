// The double's script and call log, shared by both stand-in libraries.
// Each vendor function has a queue of scripted answers; a call logs itself
// as text, then takes the next answer of its queue, or a default one.
#ifndef VEMRO_DOUBLE_SCRIPT_H
#define VEMRO_DOUBLE_SCRIPT_H

#include <initializer_list>
#include <string>
#include <vector>

#include "series_info.h"

#define DOUBLE_EXPORT __attribute__((visibility("default")))

namespace vemro_double {

struct Answer {
  int status = 0;
  bool hasRecord = false;
  SeriesInfo record{};
  std::vector<double> data;  // written at the output pointer when not empty
  bool hasText = false;
  std::string text;  // written at the output pointer, with its NUL
};

// Logs "function(arg, ...)" and returns the next scripted answer.
DOUBLE_EXPORT Answer call(const char *function, std::initializer_list<std::string> args);

// Argument renderings for the log.
DOUBLE_EXPORT std::string number(int value);
DOUBLE_EXPORT std::string text(const char *value);  // "value", or NULL

void reset();
void script(const std::string &function, Answer answer);
const std::vector<std::string> &calls();

}  // namespace vemro_double

#endif
