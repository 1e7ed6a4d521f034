// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

#include "core/port_control.h"

namespace tavik::testing {

// A serial port that opens unless it is marked busy.
class FakePort final : public PortControl {
 public:
  void open() override {
    if (busy) throw std::runtime_error("device busy");
    isOpen = true;
  }
  void close() override { isOpen = false; }
  bool connected() const override { return isOpen; }
  std::string portName() const override { return "COM2"; }

  bool busy = false;
  bool isOpen = false;
};

}  // namespace tavik::testing
