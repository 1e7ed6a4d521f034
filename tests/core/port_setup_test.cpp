// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/port_setup.h"

#include <gtest/gtest.h>

#include "../station/pty.h"
#include "station/port_listener.h"

namespace tavik {
namespace {

using test::Pty;

struct Collector : PortListener {
  void receiveChunk(std::span<const uint8_t> chunk) override {
    bytes.insert(bytes.end(), chunk.begin(), chunk.end());
  }
  std::vector<uint8_t> bytes;
};

LineSettings sevenEvenTwo() {
  LineSettings line;
  line.baud = 4800;
  line.dataBits = 7;
  line.parity = Parity::Even;
  line.stopBits = StopBits::Two;
  return line;
}

TEST(PortSetup, ClosedPortTakesNameAndSettingsAndStaysClosed) {
  Pty pty;
  SerialPort port;
  applyPortSetup(port, {pty.slavePath(), sevenEvenTwo()});
  EXPECT_FALSE(port.Connected());
  EXPECT_EQ(currentPortSetup(port), (PortSetup{pty.slavePath(), sevenEvenTwo()}));
}

TEST(PortSetup, OpenPortMovesToTheNewDeviceAtOnce) {
  Pty first;
  Pty second;
  SerialPort port;
  Collector received;
  port.registerListener(&received);
  port.setPortName(first.slavePath());
  port.Open();

  applyPortSetup(port, {second.slavePath(), sevenEvenTwo()});
  ASSERT_TRUE(port.Connected());
  EXPECT_EQ(port.portName(), second.slavePath());
  EXPECT_EQ(port.lineSettings(), sevenEvenTwo());

  // The bytes now come from the new device.
  second.write({0x41, 0x42});
  for (int i = 0; i < 20 && received.bytes.size() < 2; ++i) port.pollOnce(50);
  EXPECT_EQ(received.bytes, (std::vector<uint8_t>{0x41, 0x42}));
  // And the old one is free again for anybody else.
  SerialPort other;
  other.setPortName(first.slavePath());
  EXPECT_NO_THROW(other.Open());
  port.unregisterListener(&received);
}

TEST(PortSetup, SameDeviceGetsTheSettingsWithoutReopening) {
  Pty pty;
  SerialPort port;
  port.setPortName(pty.slavePath());
  port.Open();
  const int handle = port.fd();
  applyPortSetup(port, {pty.slavePath(), sevenEvenTwo()});
  EXPECT_TRUE(port.Connected());
  EXPECT_EQ(port.fd(), handle);
  EXPECT_EQ(port.lineSettings(), sevenEvenTwo());
}

TEST(PortSetup, MissingNewDeviceRaisesAndLeavesThePortClosed) {
  Pty pty;
  SerialPort port;
  port.setPortName(pty.slavePath());
  port.Open();
  EXPECT_THROW(applyPortSetup(port, {"/dev/tavik-no-such-port", LineSettings{}}), PortError);
  EXPECT_FALSE(port.Connected());
  EXPECT_EQ(port.portName(), "/dev/tavik-no-such-port");
}

}  // namespace
}  // namespace tavik
