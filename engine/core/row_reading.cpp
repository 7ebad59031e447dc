#include "row_reading.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "calendar.h"
#include "period_run.h"
#include "record_check.h"
#include "status.h"
#include "utf8_text.h"

namespace vemro::engine {
namespace {

enum InfoColumn {
  codeColumn,
  firstColumn,
  lastColumn,
  countColumn,
  frequencyColumn,
  changedColumn,
  decimalsColumn,
  magnitudeColumn,
  missingColumn,
  aggregationColumn,
  firstTextColumn,
  // The blob's length in a file without checksums, the info check in one with them.
  lastInfoColumn = firstTextColumn + 6
};

static_assert(sizeof(InfoFields::integers) == (aggregationColumn - firstColumn + 1) * sizeof(int),
              "the checksum covers exactly the row's integer columns");

enum DataColumn {
  dataFrequencyColumn,
  dataFirstColumn,
  dataCountColumn,
  dataAggregationColumn,
  blobColumn,
  dataCheckColumn
};

// A column's value, fetched once for its type and its contents: every
// sqlite3_column_* call enters the statement anew, and a read of a row took
// three of them a column. Reading the value itself is safe here because a
// connection serves one thread at a time.
sqlite3_value *valueOf(sqlite3_stmt *stmt, int column) {
  return sqlite3_column_value(stmt, column);
}

bool isInteger(sqlite3_value *value) { return sqlite3_value_type(value) == SQLITE_INTEGER; }

bool fitsInt(sqlite3_int64 value) { return value >= INT32_MIN && value <= INT32_MAX; }

std::string_view textOf(sqlite3_value *value) {
  const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(value));
  return text ? std::string_view(text, static_cast<size_t>(sqlite3_value_bytes(value)))
              : std::string_view();
}

// Reads the integer columns from..to into values; false unless each one
// holds an integer that fits 32 bits.
bool readIntegers(sqlite3_stmt *stmt, int from, int to, int *values) {
  for (int column = from; column <= to; ++column) {
    sqlite3_value *value = valueOf(stmt, column);
    if (!isInteger(value)) return false;
    sqlite3_int64 number = sqlite3_value_int64(value);
    if (!fitsInt(number)) return false;
    values[column - from] = static_cast<int>(number);
  }
  return true;
}

// The period range, count and frequency agree, and the blob holds the count.
bool shapeIsSound(int frequency, int first, int last, int count, sqlite3_int64 blobBytes) {
  if (!isListedFrequency(frequency) || count < 0) return false;
  if (blobBytes != sqlite3_int64{count} * 8) return false;
  return count == 0 || periodCount(first, last, frequency) == count;
}

// The stored checksum, read only where the file has them, matches.
bool checksumMatches(sqlite3_stmt *stmt, int column, int64_t computed) {
  sqlite3_value *stored = valueOf(stmt, column);
  return isInteger(stored) && sqlite3_value_int64(stored) == computed;
}

// False unless the column holds text.
bool readText(sqlite3_stmt *stmt, int column, std::string_view &text) {
  sqlite3_value *value = valueOf(stmt, column);
  if (sqlite3_value_type(value) != SQLITE_TEXT) return false;
  text = textOf(value);
  return true;
}

// The code and the six texts of an info row, each read once.
bool readTexts(sqlite3_stmt *stmt, InfoFields &fields) {
  if (!readText(stmt, codeColumn, fields.code)) return false;
  for (int i = 0; i < 6; ++i) {
    if (!readText(stmt, firstTextColumn + i, fields.texts[i])) return false;
  }
  return true;
}

// The observations' length that an info row's check covers: the writer
// always stores 8 bytes a count, so a checked row needs no measuring.
bool readObservationBytes(sqlite3_stmt *stmt, bool checked, InfoFields &row) {
  if (checked) {
    row.observationBytes = int64_t{row.integers[countColumn - firstColumn]} * 8;
    return true;
  }
  sqlite3_value *length = valueOf(stmt, lastInfoColumn);
  if (!isInteger(length)) return false;
  row.observationBytes = sqlite3_value_int64(length);
  return true;
}

}  // namespace

int readInfoRow(sqlite3_stmt *stmt, bool checked, SeriesInfo &out) {
  InfoFields row{};
  int *v = row.integers;
  if (!readIntegers(stmt, firstColumn, aggregationColumn, v) || !readTexts(stmt, row) ||
      !readObservationBytes(stmt, checked, row)) {
    return status::seriesUnreadable;
  }
  if (checked && !checksumMatches(stmt, lastInfoColumn, infoCheck(row))) {
    return status::seriesUnreadable;
  }
  auto at = [&](int column) { return v[column - firstColumn]; };
  if (row.code.size() >= sizeof out.code ||
      !shapeIsSound(at(frequencyColumn), at(firstColumn), at(lastColumn), at(countColumn),
                    row.observationBytes)) {
    return status::seriesUnreadable;
  }
  std::memset(&out, 0, sizeof out);
  copyTextToSlot(row.code, out.code, sizeof out.code);
  out.firstPeriod = at(firstColumn);
  out.lastPeriod = at(lastColumn);
  out.attrA = at(countColumn);
  out.frequency = at(frequencyColumn);
  out.attrB = at(changedColumn);
  out.attrC = at(decimalsColumn);
  out.attrD = at(magnitudeColumn);
  out.attrE = at(missingColumn);
  out.attrF = at(aggregationColumn);
  copyTextToSlot(row.texts[0], out.textA, sizeof out.textA);
  copyTextToSlot(row.texts[1], out.textB, sizeof out.textB);
  copyTextToSlot(row.texts[2], out.textC, sizeof out.textC);
  copyTextToSlot(row.texts[3], out.textD, sizeof out.textD);
  copyTextToSlot(row.texts[4], out.textE, sizeof out.textE);
  copyTextToSlot(row.texts[5], out.textF, sizeof out.textF);
  return status::ok;
}

int readObservationsRow(sqlite3_stmt *stmt, const char *code, bool checked, Observations &out) {
  int v[4];
  sqlite3_value *observations = valueOf(stmt, blobColumn);
  if (!readIntegers(stmt, dataFrequencyColumn, dataAggregationColumn, v) ||
      sqlite3_value_type(observations) != SQLITE_BLOB) {
    return status::seriesUnreadable;
  }
  const void *blob = sqlite3_value_blob(observations);
  sqlite3_int64 bytes = sqlite3_value_bytes(observations);
  if (!isListedFrequency(v[0]) || v[2] < 0 || bytes != sqlite3_int64{v[2]} * 8) {
    return status::seriesUnreadable;
  }
  if (checked &&
      !checksumMatches(stmt, dataCheckColumn,
                       dataCheck(code, v[0], v[1], v[2], v[3], blob, static_cast<size_t>(bytes)))) {
    return status::seriesUnreadable;
  }
  out.frequency = v[0];
  out.firstPeriod = v[1];
  out.count = v[2];
  out.aggregation = v[3];
  out.bytes = static_cast<const unsigned char *>(blob);
  return status::ok;
}

void readRecordTexts(sqlite3_stmt *stmt, SeriesRecord &out) {
  std::string *texts[] = {&out.units,       &out.area, &out.adjustment,
                          &out.description, &out.base, &out.source};
  for (int i = 0; i < 6; ++i) *texts[i] = std::string(textOf(valueOf(stmt, firstTextColumn + i)));
}

}  // namespace vemro::engine
