// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/serial_port.h"

#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <termios.h>

#include <cerrno>
#include <chrono>

#include "group_builder.h"
#include "pty.h"
#include "station/group_stream.h"
#include "station/port_listener.h"

namespace tavik {
namespace {

using Bytes = std::vector<uint8_t>;
using test::Pty;

// Where the tests' ports keep their lock files.
const std::string& lockFolder() {
  static const test::TempFolder folder;
  return folder.path();
}

struct Recorder : PortListener {
  Recorder(std::vector<int>& order, int id) : order(order), id(id) {}
  void receiveChunk(std::span<const uint8_t> chunk) override {
    received.insert(received.end(), chunk.begin(), chunk.end());
    order.push_back(id);
  }
  void portDestroyed() override { destroyed = true; }
  std::vector<int>& order;
  int id;
  Bytes received;
  bool destroyed = false;
};

TEST(SerialPort, DevicePaths) {
  EXPECT_EQ(SerialPort::devicePath("COM1"), "/dev/ttyS0");
  EXPECT_EQ(SerialPort::devicePath("COM12"), "/dev/ttyS11");
  EXPECT_EQ(SerialPort::devicePath("/dev/serial/by-id/usb-x"), "/dev/serial/by-id/usb-x");
  EXPECT_EQ(SerialPort::devicePath("ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(SerialPort::devicePath("COM0"), "/dev/COM0");
  EXPECT_EQ(SerialPort::devicePath("COMx"), "/dev/COMx");
  EXPECT_EQ(SerialPort::devicePath("COM99999999999"), "/dev/COM99999999999");  // no overflow
  EXPECT_EQ(SerialPort::devicePath("COM+1"), "/dev/COM+1");
}

TEST(SerialPort, OpensRawAndAppliesNewLineSettingsInOneStep) {
  Pty pty;
  SerialPort port;
  port.setPortName(pty.slavePath());
  port.setLockFolder(lockFolder());
  port.Open();
  ASSERT_TRUE(port.Connected());
  termios t{};
  ASSERT_EQ(tcgetattr(port.fd(), &t), 0);
  EXPECT_EQ(cfgetispeed(&t), B9600);
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF | ICRNL), 0u);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(t.c_cc[VTIME], 0);

  port.setLineSettings({19200, 7, Parity::Even, StopBits::Two, LineSettings::Software});
  ASSERT_EQ(tcgetattr(port.fd(), &t), 0);
  EXPECT_EQ(cfgetospeed(&t), B19200);
  // A pseudo-terminal always keeps 8 bits without parity; rate, stop bits and
  // flow control it takes as given.
  EXPECT_NE(t.c_cflag & CSTOPB, 0u);
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF), static_cast<tcflag_t>(IXON | IXOFF));

  // A rate the line cannot take is refused and changes nothing.
  EXPECT_THROW(port.setLineSettings({14400, 8, Parity::None, StopBits::One, LineSettings::None}),
               PortError);
  EXPECT_EQ(port.lineSettings().baud, 19200);
  ASSERT_EQ(tcgetattr(port.fd(), &t), 0);
  EXPECT_EQ(cfgetospeed(&t), B19200);
}

TEST(SerialPort, MissingDeviceAndSecondOpenAreRefused) {
  SerialPort missing;
  missing.setPortName("/dev/tavik-no-such-port");
  try {
    missing.Open();
    FAIL() << "opened a missing device";
  } catch (const PortError& e) {
    EXPECT_EQ(e.code(), ENOENT);
    EXPECT_EQ(e.failure(), PortFailure::Missing);
    EXPECT_STREQ(e.what(), "Das Gerät /dev/tavik-no-such-port gibt es nicht.");
  }
  EXPECT_FALSE(missing.Connected());

  Pty pty;
  const test::TempFolder locks;
  SerialPort first, second;
  for (SerialPort* p : {&first, &second}) {
    p->setPortName(pty.slavePath());
    p->setLockFolder(locks.path());
  }
  first.Open();
  const std::string lockFile = locks.path() + "/" + DeviceLock::fileName(pty.slavePath());
  try {
    second.Open();
    FAIL() << "second open of the same device";
  } catch (const PortError& e) {
    EXPECT_EQ(e.code(), EBUSY);
    EXPECT_EQ(e.failure(), PortFailure::Busy);
    EXPECT_EQ(std::string(e.what()),
              "Ein anderes Programm benutzt das Gerät " + pty.slavePath() + ".");
  }
  EXPECT_FALSE(second.Connected());
  EXPECT_EQ(lockHolder(lockFile), getpid());  // the refused open left the holder's lock alone
  first.Close();
  EXPECT_NO_THROW(second.Open());
}

TEST(SerialPort, ChunksGoToEveryListenerInRegistrationOrder) {
  Pty pty;
  std::vector<int> order;
  Recorder a(order, 1), b(order, 2);
  {
    SerialPort port;
    port.setPortName(pty.slavePath());
    port.setLockFolder(lockFolder());
    port.registerListener(&a);
    port.registerListener(&b);
    EXPECT_THROW(port.registerListener(&a), std::logic_error);
    port.Open();
    pty.write({1, 2, 3, 0x8F, 0x0A});
    EXPECT_TRUE(port.pollOnce(1000));
    EXPECT_EQ(a.received, (Bytes{1, 2, 3, 0x8F, 0x0A}));  // raw: no newline translation
    EXPECT_EQ(b.received, a.received);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    port.unregisterListener(&a);
    pty.write({4});
    EXPECT_TRUE(port.pollOnce(1000));
    EXPECT_EQ(a.received.size(), 5u);
    EXPECT_EQ(b.received.size(), 6u);
  }
  EXPECT_FALSE(a.destroyed);
  EXPECT_TRUE(b.destroyed);
}

TEST(SerialPort, CloseAndOpenContinueAPartialGroup) {
  Pty pty;
  StationData data;
  GroupStream stream(data);
  int groups = 0;
  stream.setGroupHandler([&](GroupKind, bool) { ++groups; });
  SerialPort port;
  port.setPortName(pty.slavePath());
  port.setLockFolder(lockFolder());
  stream.attach(port);
  const Bytes group = test::groupOnLine(GroupKind::GBF, {{3, 0x34}, {4, 0x12}});
  port.Open();
  pty.write(Bytes(group.begin(), group.begin() + 6));
  ASSERT_TRUE(port.pollOnce(1000));
  port.Close();
  EXPECT_EQ(stream.pendingBytes(), 6u);
  port.Open();
  pty.write(Bytes(group.begin() + 6, group.end()));
  ASSERT_TRUE(port.pollOnce(1000));
  EXPECT_EQ(groups, 1);
  // The first group of its kind waits for the next before it enters the
  // record; decoded it is whole.
  EXPECT_EQ(stream.lastDecoded().weather.Rain.Yesterday, 1234);
}

TEST(SerialPort, LostLineStaysQuietAndIsReopenedWhenItComesBack) {
  // The port opens a link, so that the "device" can come back under the same
  // name on a new pseudo-terminal.
  auto first = std::make_unique<Pty>();
  Pty second;
  const test::PtyLink link("serial");
  link.pointAt(*first);
  std::vector<int> order;
  Recorder rec(order, 1);
  SerialPort port;
  port.setPortName(link.path());
  port.setLockFolder(lockFolder());
  port.registerListener(&rec);
  port.Open();

  first->write({7, 8});
  EXPECT_TRUE(port.pollOnce(1000));
  EXPECT_EQ(rec.received, (Bytes{7, 8}));
  link.pointAtNothing();  // the old number may soon be another program's pty
  first->closeMaster();
  EXPECT_TRUE(port.pollOnce(1000));
  EXPECT_TRUE(port.lineLost());
  EXPECT_TRUE(port.Connected());
  EXPECT_EQ(port.fd(), -1);

  // A dead line neither spins nor returns at once.
  const double cpuBefore = test::cpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  for (int i = 0; i < 15; ++i) port.pollOnce(100);
  EXPECT_GE(std::chrono::steady_clock::now() - wallBefore, std::chrono::milliseconds(1400));
  EXPECT_LT(test::cpuSeconds() - cpuBefore, 0.05);
  EXPECT_FALSE(port.tryReopen());  // the device is not back yet

  link.pointAt(second);
  EXPECT_TRUE(port.tryReopen());
  EXPECT_FALSE(port.lineLost());
  EXPECT_GE(port.fd(), 0);
  second.write({9});
  EXPECT_TRUE(port.pollOnce(1000));
  EXPECT_EQ(rec.received, (Bytes{7, 8, 9}));

  port.Close();
  EXPECT_FALSE(port.tryReopen());  // closed on purpose: stays closed
}

}  // namespace
}  // namespace tavik
