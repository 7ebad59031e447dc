// How an entry point leaves through an R error. R's errors and interrupts
// long-jump: C++ destructors in the frames they cross never run. So every
// entry point that can fail has one shape:
//
//   extern "C" void entry(...) { raiseIfFailed(entryWork(...)); }
//
// entryWork does all the work, owns what it allocates through C++ scopes,
// and returns a Failure once every scope has closed and all is released.
// Only the exported shell raises, with nothing alive in its frame but the
// trivially destructible Failure. The one exception, R_CheckUserInterrupt,
// is called through checkInterrupt() (interrupt.h), under the rule stated
// there.
#ifndef VEMRO_BRIDGE_FAILURE_H
#define VEMRO_BRIDGE_FAILURE_H

#include <type_traits>

namespace vemro {

struct Failure {
  enum class Kind { none, api, message };
  Kind kind = Kind::none;
  int status = 0;     // the vendor status, for Kind::api
  char text[1024]{};  // the whole message, for Kind::message

  static Failure none() { return Failure{}; }
  // Raised as apiError(status) would word it.
  static Failure api(int status);
  // printf-style; the result is raised as plain text, never as a format.
  static Failure message(const char *format, ...) __attribute__((format(printf, 1, 2)));
  bool failed() const { return kind != Kind::none; }
};

static_assert(std::is_trivially_destructible<Failure>::value,
              "a Failure must be safe to abandon in a long jump");

// Raises the failure as an R error; does not return.
[[noreturn]] void raise(const Failure &failure);

inline void raiseIfFailed(const Failure &failure) {
  if (failure.failed()) raise(failure);
}

}  // namespace vemro

#endif
