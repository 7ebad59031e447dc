#include "conversion.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "calendar.h"
#include "missing_value.h"
#include "period_run.h"
#include "status.h"

namespace vemro::engine {
namespace {

// Coarser frequencies have lower ranks; the seven weekly codes share one.
int rankOf(int frequency) {
  switch (frequency) {
    case 10:
      return 0;
    case 30:
      return 1;
    case 40:
      return 2;
    case 60:
      return 4;
    case 61:
      return 5;
    default:
      return 3;
  }
}

bool isAggregationType(int type) { return type >= averageOf && type <= startOf; }

struct Span {
  int64_t first;
  int64_t last;
};

// The source periods that make up one target period: those whose last day
// falls in it. Daily data converted to business days keeps weekdays only.
class SourceSpans {
 public:
  SourceSpans(int from, int to) : from_(from), to_(to) {}

  Span of(int64_t target) const {
    if (from_ == 61 && to_ == 60) {
      int64_t day = periodEndDay(target, to_);
      return {day, day};
    }
    return {lastEndingBy(periodEndDay(target - 1, to_)) + 1,
            lastEndingBy(periodEndDay(target, to_))};
  }

 private:
  int64_t lastEndingBy(int64_t day) const {
    int64_t source = indexHoldingDay(day, from_);
    return periodEndDay(source, from_) > day ? source - 1 : source;
  }
  int from_, to_;
};

struct Tally {
  int64_t present = 0;
  double sum = 0, first = 0, last = 0;

  void add(double value) {
    if (std::isnan(value)) return;
    if (present++ == 0) first = value;
    sum += value;
    last = value;
  }
};

double aggregate(const Tally &tally, int64_t expected, int type, AggregationMode mode) {
  bool complete = expected > 0 && tally.present == expected;
  if (tally.present == 0 || (mode == strictAggregation && !complete)) return missingValue();
  switch (type) {
    case averageOf:
      return tally.sum / static_cast<double>(tally.present);
    case sumOf:
      return tally.sum;
    case endOf:
      return tally.last;
    default:
      return tally.first;
  }
}

// The file format stores gaps as R's NA (the writer sees to it and verify
// checks it), so the stored bytes are copied as they are.
void copyRun(const Observations &series, int64_t targetStart, int count, double *out) {
  int64_t offset = targetStart - periodIndex(series.firstPeriod, series.frequency);
  int64_t coveredFrom = std::clamp<int64_t>(-offset, 0, count);
  int64_t coveredTo = std::clamp<int64_t>(series.count - offset, coveredFrom, count);
  std::fill(out, out + coveredFrom, missingValue());
  if (coveredTo > coveredFrom) {
    std::memcpy(out + coveredFrom, series.bytes + (offset + coveredFrom) * 8,
                static_cast<size_t>(coveredTo - coveredFrom) * 8);
  }
  std::fill(out + coveredTo, out + count, missingValue());
}

void aggregateRun(const Observations &series, int64_t targetStart, int count, int frequency,
                  AggregationMode mode, double *out) {
  SourceSpans spans(series.frequency, frequency);
  int64_t seriesStart = periodIndex(series.firstPeriod, series.frequency);
  for (int i = 0; i < count; ++i) {
    Span span = spans.of(targetStart + i);
    Tally tally;
    int64_t from = std::max<int64_t>(span.first - seriesStart, 0);
    int64_t to = std::min<int64_t>(span.last - seriesStart, int64_t{series.count} - 1);
    for (int64_t position = from; position <= to; ++position) tally.add(series.at(position));
    out[i] = aggregate(tally, span.last - span.first + 1, series.aggregation, mode);
  }
}

}  // namespace

bool canConvert(int fromFrequency, int toFrequency) {
  if (!isListedFrequency(fromFrequency) || !isListedFrequency(toFrequency)) return false;
  if (fromFrequency == toFrequency) return true;
  if (isWeekly(fromFrequency) && isWeekly(toFrequency)) return true;
  return rankOf(toFrequency) < rankOf(fromFrequency);
}

int writeObservations(const Observations &series, int firstPeriod, int lastPeriod, int frequency,
                      AggregationMode mode, double *out) {
  if (!isListedFrequency(frequency)) return status::unlistedFrequency;
  if (!canConvert(series.frequency, frequency)) return status::higherFrequency;
  bool sameFrequency = frequency == series.frequency;
  if (!sameFrequency && !isAggregationType(series.aggregation)) return status::notAggregatable;
  int count = periodCount(firstPeriod, lastPeriod, frequency);
  int64_t targetStart = periodIndex(firstPeriod, frequency);
  if (sameFrequency) {
    copyRun(series, targetStart, count, out);
  } else {
    aggregateRun(series, targetStart, count, frequency, mode, out);
  }
  return status::ok;
}

}  // namespace vemro::engine
