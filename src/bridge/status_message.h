// The fixed message of each vendor status code.
#ifndef VEMRO_BRIDGE_STATUS_MESSAGE_H
#define VEMRO_BRIDGE_STATUS_MESSAGE_H

namespace vemro {

// Never null; "API: Unknown error." for codes without a message of their own.
const char *statusMessage(int status);

}  // namespace vemro

#endif
