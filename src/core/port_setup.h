// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "station/serial_port.h"

namespace tavik {

// What the port setup dialog hands back: the device and its line settings.
struct PortSetup {
  std::string portName;
  LineSettings line;

  friend bool operator==(const PortSetup&, const PortSetup&) = default;
};

// The port's current setup, as the dialog opens with it.
PortSetup currentPortSetup(const SerialPort& port);

// Takes a setup over. The same device gets the line settings in one step; a
// new device name closes the port, and an open port then opens the new device
// at once with the new settings. Throws PortError when the device cannot be
// opened or refuses the settings (the port is then closed or as it was).
void applyPortSetup(SerialPort& port, const PortSetup& setup);

}  // namespace tavik
