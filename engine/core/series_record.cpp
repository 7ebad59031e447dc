#include "series_record.h"

#include <algorithm>
#include <cmath>

#include "calendar.h"
#include "period_run.h"
#include "utf8_text.h"

namespace vemro::engine {
namespace {

constexpr size_t maxCodeLength = 9;  // the record's code slot holds 10 bytes with the NUL

bool isAggregationSetting(int value) { return (value >= 0 && value <= 4) || value == 9; }

std::string problemWithTexts(const SeriesRecord &record) {
  const std::string *texts[] = {&record.units,       &record.area, &record.adjustment,
                                &record.description, &record.base, &record.source};
  const char *names[] = {"units", "area", "adjustment", "description", "base", "source"};
  for (int i = 0; i < 6; ++i) {
    if (!isValidUtf8(*texts[i])) return std::string("the ") + names[i] + " is not valid UTF-8";
    if (texts[i]->find('\0') != std::string::npos)
      return std::string("the ") + names[i] + " contains a NUL byte";
  }
  return {};
}

}  // namespace

int lastPeriodOf(const SeriesRecord &record) {
  if (record.values.empty()) return 0;
  return periodDateAt(record.firstPeriod, static_cast<int>(record.values.size()), record.frequency);
}

int missingCountOf(const SeriesRecord &record) {
  return static_cast<int>(std::count_if(record.values.begin(), record.values.end(),
                                        [](double value) { return std::isnan(value); }));
}

std::string problemWithCode(const std::string &code) {
  if (code.empty()) return "the series code is empty";
  if (code.size() > maxCodeLength) {
    return "series code '" + excerptOf(code) + "' is longer than 9 characters";
  }
  for (char c : code) {
    if (c <= ' ' || c > '~' || c == ',' || c == '"' || c == '\'') {
      return "series code '" + excerptOf(code) +
             "' may hold only printable ASCII without comma, quote or space";
    }
  }
  return {};
}

std::string problemWith(const SeriesRecord &record) {
  std::string problem = problemWithCode(record.code);
  if (!problem.empty()) return problem;
  if (!isListedFrequency(record.frequency)) {
    return "frequency " + std::to_string(record.frequency) + " is not a listed frequency code";
  }
  if (!isAggregationSetting(record.aggregation)) {
    return "aggregation " + std::to_string(record.aggregation) + " is not 0, 1, 2, 3, 4 or 9";
  }
  for (double value : record.values) {
    if (std::isinf(value)) return "an observation is infinite";
  }
  int64_t last = periodIndex(record.firstPeriod, record.frequency) +
                 static_cast<int64_t>(record.values.size()) - 1;
  if (!record.values.empty() && endsAfterYear9999(last, record.frequency)) {
    return "the observations run past 9999-12-31";
  }
  return problemWithTexts(record);
}

}  // namespace vemro::engine
