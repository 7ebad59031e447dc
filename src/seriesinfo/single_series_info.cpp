// qvbGetInfo: the information record of one series of one local database.
// The library opens the named database for the request itself; it is
// closed straight afterwards whatever the request returned, and the error,
// if any, is raised only then, before any output is written.
//
// The six texts go back to R by replacing element 0 of each character
// argument with a zero-filled buffer of R's transient memory: .C builds
// its result strings from these pointers before it releases that memory,
// so nothing leaks from call to call, and a failed allocation ends in R's
// own error before any output is written. The textA buffer is 18 bytes,
// the whole field, so that no text is cut; every copy stops one byte short
// of its buffer and of its field, so the result always ends in NUL.
#include <algorithm>
#include <cstring>

#include "../bridge/exports.h"
#include "../bridge/failure.h"
#include "../bridge/scratch.h"
#include "../vendor/qvbapi.h"

namespace {

vemro::Failure infoFailure(int status, const char *database) {
  switch (status) {
    case 1:
      return vemro::Failure::message("Could not open database %s", database);
    case 2:
      return vemro::Failure::message("Unable to find variable name");
    case 3:
      return vemro::Failure::message("Unable to load variable information");
    case 4:
      return vemro::Failure::message("Unable to load source information");
    default:
      return vemro::Failure::none();
  }
}

vemro::Failure readSeries(const char *database, const char *code, SeriesInfo *record) {
  int status = QVBGetInfo(database, code, record);
  QVBCloseDatabase();
  return infoFailure(status, database);
}

template <size_t FieldWidth>
char *textResult(const char (&field)[FieldWidth], size_t bufferSize) {
  char *buffer = vemro::scratch<char>(bufferSize);
  size_t limit = std::min(FieldWidth, bufferSize) - 1;
  std::memcpy(buffer, field, strnlen(field, limit));
  return buffer;
}

}  // namespace

void qvbGetInfo(char **database, char **code, int *firstDate, int *lastDate, int *attrA,
                int *frequency, int *attrB, int *attrC, int *attrD, int *attrE, int *attrF,
                char **textA, char **textB, char **textC, char **textD, char **textE,
                char **textF) {
  SeriesInfo record;
  vemro::raiseIfFailed(readSeries(database[0], code[0], &record));
  // Every buffer exists before the first output is written.
  char *texts[6] = {textResult(record.textA, 18), textResult(record.textB, 8),
                    textResult(record.textC, 8),  textResult(record.textD, 82),
                    textResult(record.textE, 10), textResult(record.textF, 70)};
  firstDate[0] = qvbdateToYmd(record.firstPeriod, record.frequency);
  lastDate[0] = qvbdateToYmd(record.lastPeriod, record.frequency);
  attrA[0] = record.attrA;
  frequency[0] = record.frequency;
  attrB[0] = record.attrB;
  attrC[0] = record.attrC;
  attrD[0] = record.attrD;
  attrE[0] = record.attrE;
  attrF[0] = record.attrF;
  char **results[6] = {textA, textB, textC, textD, textE, textF};
  for (int i = 0; i < 6; ++i) results[i][0] = texts[i];
}
