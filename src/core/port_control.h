// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavik {

// The serial line to the console as activation sees it. The window layer
// adapts the real port; tests use a fake.
class PortControl {
 public:
  virtual ~PortControl() = default;
  // Opens the line; throws (for example any std::exception) when the port is
  // missing or in use.
  virtual void open() = 0;
  virtual void close() = 0;
  virtual bool connected() const = 0;
  // The configured port name, as shown in messages ("COM2", "/dev/ttyUSB0").
  virtual std::string portName() const = 0;
};

}  // namespace tavik
