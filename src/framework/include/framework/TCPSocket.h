#pragma once

// A TCP socket, as far as the program uses one: to read the machine's local
// network address ("0.0.0.0" when it has none).

#include "framework/String.h"

namespace fw {

class TCPSocket {
public:
    String LocalAddress() const;
};

}  // namespace fw
