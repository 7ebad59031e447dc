// The series information record that both vendor client libraries fill.
// The caller owns the record; the library writes it. Several records are
// packed with a stride of exactly 242 bytes. Integers are little-endian
// 32-bit values at unaligned offsets, so fields are read by value, never
// through a pointer or reference.
#ifndef VEMRO_VENDOR_SERIES_INFO_H
#define VEMRO_VENDOR_SERIES_INFO_H

#include <stddef.h>
#include <stdint.h>

#pragma pack(push, 1)
typedef struct SeriesInfo {
  char code[10];       /* series code, NUL-terminated */
  int32_t firstPeriod; /* period date of the first observation */
  int32_t lastPeriod;  /* period date of the last observation */
  int32_t attrA;       /* number of observations; 0 means no data */
  int32_t frequency;   /* frequency code of the series */
  int32_t attrB;
  int32_t attrC;
  int32_t attrD;
  int32_t attrE;
  int32_t attrF; /* aggregation type; 0 and 9 forbid aggregation */
  char textA[18];
  char textB[8];
  char textC[8];
  char textD[82];
  char textE[10];
  char textF[70];
} SeriesInfo;
#pragma pack(pop)

#ifdef __cplusplus
#define VEMRO_LAYOUT_CHECK(cond, what) static_assert(cond, what)
#else
#define VEMRO_LAYOUT_CHECK(cond, what) _Static_assert(cond, what)
#endif

VEMRO_LAYOUT_CHECK(sizeof(SeriesInfo) == 242, "SeriesInfo is 242 bytes");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, code) == 0, "code at 0");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, firstPeriod) == 10, "firstPeriod at 10");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, lastPeriod) == 14, "lastPeriod at 14");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, attrA) == 18, "attrA at 18");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, frequency) == 22, "frequency at 22");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, attrB) == 26, "attrB at 26");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, attrC) == 30, "attrC at 30");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, attrD) == 34, "attrD at 34");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, attrE) == 38, "attrE at 38");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, attrF) == 42, "attrF at 42");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, textA) == 46, "textA at 46");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, textB) == 64, "textB at 64");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, textC) == 72, "textC at 72");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, textD) == 80, "textD at 80");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, textE) == 162, "textE at 162");
VEMRO_LAYOUT_CHECK(offsetof(SeriesInfo, textF) == 172, "textF at 172");

#undef VEMRO_LAYOUT_CHECK

#endif
