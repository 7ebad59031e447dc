// The user-interrupt point of the long batch calls. R_CheckUserInterrupt
// long-jumps out of the call when the user interrupts, so it may only be
// reached from frames that own nothing with a destructor: whatever must
// live across it is scratch memory (scratch.h), which R releases itself.
#ifndef VEMRO_BRIDGE_INTERRUPT_H
#define VEMRO_BRIDGE_INTERRUPT_H

#include <R_ext/Utils.h>

namespace vemro {

inline void checkInterrupt() { R_CheckUserInterrupt(); }

}  // namespace vemro

#endif
