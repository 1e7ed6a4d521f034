// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tavik {

// Device paths of the machine's serial ports: /dev/ttyS* that have a driver,
// /dev/ttyUSB*, /dev/ttyACM* and the links under /dev/serial/by-id/.
std::vector<std::string> listSerialPorts();

}  // namespace tavik
