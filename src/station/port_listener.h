// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace tavik {

// Something that wants every chunk of bytes the serial port receives.
class PortListener {
 public:
  virtual ~PortListener();
  virtual void receiveChunk(std::span<const uint8_t> chunk) = 0;
  // The port is being destroyed: drop every reference to it.
  virtual void portDestroyed() {}
};

}  // namespace tavik
