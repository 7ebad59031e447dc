#include "answers.h"

#include <cstring>
#include <nlohmann/json.hpp>

#include "statuses.h"

namespace vemro::client {
namespace {

using nlohmann::json;

constexpr int knownDataStatuses[] = {0, 2, 3, 21, 22, 23};

bool parse(const std::string &body, json *value) {
  *value = json::parse(body, nullptr, false);
  return !value->is_discarded();
}

bool readInt(const json &entry, const char *key, int32_t *out) {
  auto found = entry.find(key);
  if (found == entry.end() || !found->is_number_integer()) return false;
  long long value = found->get<long long>();
  if (value < INT32_MIN || value > INT32_MAX) return false;
  *out = static_cast<int32_t>(value);
  return true;
}

template <size_t N>
bool readText(const json &entry, const char *key, char (&out)[N]) {
  auto found = entry.find(key);
  if (found == entry.end() || !found->is_string()) return false;
  const std::string &text = found->get_ref<const std::string &>();
  if (text.size() >= N || text.find('\0') != std::string::npos) return false;
  std::memcpy(out, text.c_str(), text.size() + 1);
  return true;
}

// The record is filled field by field into a zeroed copy: the packed
// fields are never bound to references.
bool readRecord(const json &entry, SeriesInfo *record) {
  SeriesInfo r;
  std::memset(&r, 0, sizeof r);
  int32_t v[9];
  const char *keys[9] = {"firstPeriod", "lastPeriod", "attrA", "frequency", "attrB",
                         "attrC",       "attrD",      "attrE", "attrF"};
  for (int i = 0; i < 9; ++i)
    if (!readInt(entry, keys[i], &v[i])) return false;
  r.firstPeriod = v[0], r.lastPeriod = v[1], r.attrA = v[2], r.frequency = v[3];
  r.attrB = v[4], r.attrC = v[5], r.attrD = v[6], r.attrE = v[7], r.attrF = v[8];
  bool texts = readText(entry, "code", r.code) && readText(entry, "textA", r.textA) &&
               readText(entry, "textB", r.textB) && readText(entry, "textC", r.textC) &&
               readText(entry, "textD", r.textD) && readText(entry, "textE", r.textE) &&
               readText(entry, "textF", r.textF);
  if (!texts) return false;
  std::memcpy(record, &r, sizeof r);
  return true;
}

bool readEntry(const json &entry, InfoEntry *out) {
  if (!entry.is_object() || !readInt(entry, "status", &out->status)) return false;
  std::memset(&out->record, 0, sizeof out->record);
  if (out->status == 0) return readRecord(entry, &out->record);
  return out->status == 2 || out->status == 3;
}

}  // namespace

int readInfoAnswer(const std::string &body, size_t codeCount, std::vector<InfoEntry> *entries) {
  json answer;
  if (!parse(body, &answer) || !answer.is_object()) return status::malformedAnswer;
  auto series = answer.find("series");
  if (series == answer.end() || !series->is_array() || series->size() != codeCount)
    return status::malformedAnswer;
  std::vector<InfoEntry> read(codeCount);
  for (size_t i = 0; i < codeCount; ++i)
    if (!readEntry((*series)[i], &read[i])) return status::malformedAnswer;
  entries->swap(read);
  return status::ok;
}

int checkDataAnswer(const std::string &body, size_t codeCount, long long announced,
                    int observations) {
  if (announced != observations || observations < 0) return status::malformedAnswer;
  unsigned long long expected = 4ULL * codeCount + 8ULL * codeCount * observations;
  if (body.size() != expected) return status::malformedAnswer;
  for (size_t i = 0; i < codeCount; ++i) {
    int32_t s = dataStatusAt(body, i);
    bool known = false;
    for (int k : knownDataStatuses) known = known || s == k;
    if (!known) return status::malformedAnswer;
  }
  return status::ok;
}

int32_t dataStatusAt(const std::string &body, size_t index) {
  unsigned char b[4];
  std::memcpy(b, body.data() + 4 * index, 4);
  return static_cast<int32_t>(b[0] | b[1] << 8 | b[2] << 16 | static_cast<uint32_t>(b[3]) << 24);
}

const char *dataBlockAt(const std::string &body, size_t codeCount, size_t index, int observations) {
  return body.data() + 4 * codeCount + 8 * index * static_cast<size_t>(observations);
}

int readNamesAnswer(const std::string &body, size_t maxBytes, NamesPage *page) {
  json answer;
  if (!parse(body, &answer) || !answer.is_object()) return status::malformedAnswer;
  auto codes = answer.find("codes");
  auto more = answer.find("more");
  if (codes == answer.end() || !codes->is_string() || more == answer.end() || !more->is_boolean())
    return status::malformedAnswer;
  const std::string &text = codes->get_ref<const std::string &>();
  if (text.size() + 1 > maxBytes || text.find('\0') != std::string::npos)
    return status::malformedAnswer;
  page->codes = text;
  page->more = more->get<bool>();
  return status::ok;
}

int readTokenAnswer(const std::string &body, std::string *token) {
  json answer;
  if (!parse(body, &answer) || !answer.is_object()) return status::malformedAnswer;
  auto found = answer.find("token");
  if (found == answer.end() || !found->is_string()) return status::malformedAnswer;
  *token = found->get<std::string>();
  return status::ok;
}

}  // namespace vemro::client
