// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cerrno>
#include <stdexcept>
#include <string>

#include "core/port_control.h"
#include "station/port_error.h"

namespace tavik::testing {

// A serial port that opens unless it is marked busy.
class FakePort final : public PortControl {
 public:
  void open() override {
    if (busy && !busyReason.empty()) throw PortError(PortFailure::Busy, EBUSY, busyReason);
    if (busy) throw std::runtime_error("device busy");
    isOpen = true;
  }
  void close() override { isOpen = false; }
  bool connected() const override { return isOpen; }
  std::string portName() const override { return "COM2"; }

  bool busy = false;
  // What the refusal says, as the serial port says it; none when empty.
  std::string busyReason;
  bool isOpen = false;
};

}  // namespace tavik::testing
