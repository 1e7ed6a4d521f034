#include "station/port_listener.h"

namespace tavik {

PortListener::~PortListener() = default;

}  // namespace tavik
