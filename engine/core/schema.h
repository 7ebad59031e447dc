// The database file: one SQLite file holding one row per series, the
// observations as a little-endian float64 blob. The application id marks
// the file as ours and user_version carries the schema version.
#pragma once

namespace vemro::engine::schema {

constexpr const char *fileExtension = ".vdb";
constexpr int applicationId = 0x56454D52;  // "VEMR"
constexpr int version = 1;
constexpr int pageSize = 8192;  // a 600-observation row fits one page

constexpr const char *createTable =
    "CREATE TABLE series ("
    " code TEXT NOT NULL,"
    " first_period INTEGER NOT NULL,"
    " last_period INTEGER NOT NULL,"
    " obs_count INTEGER NOT NULL,"
    " frequency INTEGER NOT NULL,"
    " changed INTEGER NOT NULL,"
    " decimals INTEGER NOT NULL,"
    " magnitude INTEGER NOT NULL,"
    " missing INTEGER NOT NULL,"
    " aggregation INTEGER NOT NULL,"
    " units TEXT NOT NULL,"
    " area TEXT NOT NULL,"
    " adjustment TEXT NOT NULL,"
    " description TEXT NOT NULL,"
    " base TEXT NOT NULL,"
    " source TEXT NOT NULL,"
    " observations BLOB NOT NULL)";

constexpr const char *createCodeIndex = "CREATE UNIQUE INDEX series_code ON series(code)";

// Column list shared by every query that fills a series record; the blob
// comes last so that reading the record never touches the observations.
#define VEMRO_INFO_COLUMNS                                                             \
  "code, first_period, last_period, obs_count, frequency, changed, decimals, magnitude," \
  " missing, aggregation, units, area, adjustment, description, base, source,"         \
  " length(observations)"

constexpr const char *selectInfo = "SELECT " VEMRO_INFO_COLUMNS " FROM series WHERE code = ?1";
constexpr const char *selectNext =
    "SELECT " VEMRO_INFO_COLUMNS " FROM series WHERE code > ?1 ORDER BY code LIMIT 1";
constexpr const char *selectObservations =
    "SELECT frequency, first_period, obs_count, aggregation, observations"
    " FROM series WHERE code = ?1";

#undef VEMRO_INFO_COLUMNS

constexpr const char *insertSeries =
    "INSERT INTO series VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14,"
    " ?15, ?16, ?17)";

}  // namespace vemro::engine::schema
