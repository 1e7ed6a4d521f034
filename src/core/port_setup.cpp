// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/port_setup.h"

namespace tavik {

PortSetup currentPortSetup(const SerialPort& port) {
  return {port.portName(), port.lineSettings()};
}

void applyPortSetup(SerialPort& port, const PortSetup& setup) {
  if (setup.portName == port.portName()) {
    port.setLineSettings(setup.line);
    return;
  }
  // Another device: an open port moves to it at once, with the new settings.
  const bool wasOpen = port.Connected();
  port.Close();
  port.setPortName(setup.portName);
  port.setLineSettings(setup.line);
  if (wasOpen) port.Open();
}

}  // namespace tavik
