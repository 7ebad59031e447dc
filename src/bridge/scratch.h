// Zero-filled scratch memory for the length of one entry-point call. It
// comes from R's transient allocator: R releases it when the .C or .Call
// call ends, whether it returns, raises or is interrupted, so it never
// leaks across a long jump. Never keep it past the call.
#ifndef VEMRO_BRIDGE_SCRATCH_H
#define VEMRO_BRIDGE_SCRATCH_H

#include <R.h>

#include <cstring>
#include <type_traits>

namespace vemro {

template <typename T>
T *scratch(size_t count) {
  static_assert(std::is_trivially_destructible<T>::value, "scratch holds plain data only");
  char *memory = R_alloc(count ? count : 1, sizeof(T));
  std::memset(memory, 0, (count ? count : 1) * sizeof(T));
  return reinterpret_cast<T *>(memory);
}

}  // namespace vemro

#endif
