// The client's process-wide state and the operations behind the exported
// functions. The service keeps no state per client, so the open database,
// the settings and the token travel with every request; the answer to the
// last chunk is kept here and handed out one series per call.
#pragma once

#include <string>
#include <vector>

#include "answers.h"
#include "http_session.h"
#include "qvbdapi.h"
#include "series_info.h"

namespace vemro::client {

// What the last chunk asked for and what the service answered.
struct PendingChunk {
  enum class Kind { none, info, data } kind = Kind::none;
  std::vector<std::string> codes;
  size_t next = 0;
  std::vector<InfoEntry> info;
  std::string data;  // the data answer's body, checked
  int firstPeriod = 0, lastPeriod = 0, frequency = 0, observations = 0;
};

struct NamesCursor {
  std::string database;
  std::string lastCode;  // the last code of the last page written
  bool more = false;
  bool started = false;
};

class DirectClient {
 public:
  int enableRetries(int flag);
  int enableAnsi(int flag);
  int mergeData() const { return merge_; }
  int setMergeData(int setting);
  int aggregationMode() const { return aggregation_; }
  int setAggregationMode(int mode);
  int open(const char *database);
  int close();
  int authenticate(const char *user, const char *key);
  int info(const char *chunk, SeriesInfo *out);
  int data(const char *chunk, int firstPeriod, int lastPeriod, int frequency, double *out);
  int names(const char *database, char *out);

 private:
  int requestChunk(PendingChunk::Kind kind, const char *chunk, int firstPeriod, int lastPeriod,
                   int frequency);
  int nextInfo(SeriesInfo *out);
  int nextData(int firstPeriod, int lastPeriod, int frequency, double *out);
  int requestPage(char *out);
  HttpAnswer send(HttpRequest request);

  HttpSession session_;
  std::string database_;
  bool open_ = false;
  int merge_ = 0;
  int aggregation_ = 0;
  bool retries_ = false;
  bool ansi_ = false;
  std::string token_;
  PendingChunk chunk_;
  NamesCursor names_;
};

DirectClient &directClient();

}  // namespace vemro::client
