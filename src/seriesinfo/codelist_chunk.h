// Code-list chunks: the comma-separated codes that name series to the
// direct service. A chunk covers the window of series positions
// [start, start + chunkWidth) cut at the series count, and holds, in
// position order, the code of every position whose database name equals
// the given one byte for byte. The caller owns the chunkBytes buffer.
//
// A window whose selected codes do not fit in chunkBytes (each code takes
// its length plus one byte) is cut before the first code that does not
// fit: the buffer is never overrun and always ends in NUL. buildChunk
// returns the position where the chunk's coverage ends, so that a caller
// that pairs requests with positions can tell an ended-early window.
#ifndef VEMRO_SERIESINFO_CODELIST_CHUNK_H
#define VEMRO_SERIESINFO_CODELIST_CHUNK_H

#include <cstdint>
#include <cstring>

namespace vemro {

constexpr int chunkWidth = 1000;
constexpr int chunkBytes = 10000;

inline int chunkWindowEnd(int start, int count) {
  int64_t end = int64_t{start} + chunkWidth;
  return end < count ? static_cast<int>(end) : count;
}

// codeAt(i) and databaseAt(i) give the NUL-terminated code and database
// name of position i. A negative start covers nothing.
template <typename CodeAt, typename DatabaseAt>
int buildChunk(char *chunk, int start, int count, const char *database, CodeAt codeAt,
               DatabaseAt databaseAt) {
  std::memset(chunk, 0, chunkBytes);
  if (start < 0) return start;
  int end = chunkWindowEnd(start, count);
  size_t offset = 0;
  for (int i = start; i < end; ++i) {
    if (std::strcmp(databaseAt(i), database) != 0) continue;
    const char *code = codeAt(i);
    size_t length = std::strlen(code);
    if (offset + length + 1 > static_cast<size_t>(chunkBytes)) {
      end = i;
      break;
    }
    std::memcpy(chunk + offset, code, length);
    chunk[offset + length] = ',';
    offset += length + 1;
  }
  // The comma after the last code becomes the terminator. An only code
  // that is empty leaves a lone comma, and so the empty text.
  if (chunk[0] != '\0') chunk[offset - 1] = '\0';
  return end;
}

// The first of count codes that cannot fit any chunk, since a chunk holds
// at least its first code and a terminator; -1 when every code fits.
template <typename CodeAt>
int firstUnchunkableCode(int count, CodeAt codeAt) {
  for (int i = 0; i < count; ++i)
    if (std::strlen(codeAt(i)) >= static_cast<size_t>(chunkBytes)) return i;
  return -1;
}

}  // namespace vemro

#endif
