#include "record_check.h"

#include <xxhash.h>
// On x86-64 the library picks the widest vector unit at run time; the
// plain entry points stay on SSE2, a third of the speed on 4,800 bytes.
#if defined(__x86_64__)
#include <xxh_x86dispatch.h>
#endif

namespace vemro::engine {
namespace {

// Each field's hash seeds the next one's, so the fields need no copying
// into one buffer, and moving bytes from one text to the next changes the
// result as surely as changing them.
uint64_t chained(uint64_t seed, const void *bytes, size_t size) {
  return XXH3_64bits_withSeed(bytes, size, seed);
}

uint64_t chained(uint64_t seed, std::string_view text) {
  return chained(seed, text.data(), text.size());
}

}  // namespace

int64_t infoCheck(const InfoFields &fields) {
  int64_t lengths[7] = {fields.observationBytes};
  for (int i = 0; i < 6; ++i) lengths[i + 1] = static_cast<int64_t>(fields.texts[i].size());
  uint64_t hash = chained(0, fields.code);
  hash = chained(hash, fields.integers, sizeof fields.integers);
  hash = chained(hash, lengths, sizeof lengths);
  for (std::string_view text : fields.texts) hash = chained(hash, text);
  return static_cast<int64_t>(hash);
}

int64_t dataCheck(std::string_view code, int frequency, int firstPeriod, int count, int aggregation,
                  const void *bytes, size_t byteCount) {
  const int integers[] = {frequency, firstPeriod, count, aggregation};
  uint64_t seed = chained(chained(0, code), integers, sizeof integers);
  return static_cast<int64_t>(chained(seed, bytes, byteCount));
}

}  // namespace vemro::engine
