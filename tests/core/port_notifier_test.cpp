// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/port_notifier.h"

#include <gtest/gtest.h>

#include "../station/pty.h"
#include "event_loop.h"
#include "station/port_listener.h"
#include "station/serial_port.h"

namespace tavik {
namespace {

using test::runUntil;

using Bytes = std::vector<uint8_t>;

struct Collector : PortListener {
  void receiveChunk(std::span<const uint8_t> chunk) override {
    received.insert(received.end(), chunk.begin(), chunk.end());
  }
  Bytes received;
};

class PortNotifierTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::ensureCoreApplication(); }
};

// Each wait ends as soon as its event happens; the limits are wide, so that
// a busy machine (a reopen looks through every process's descriptors) does
// not fail it.
constexpr int kPatienceMs = 10000;

TEST_F(PortNotifierTest, ReadsWhileOpenIdlesOnALostLineAndComesBackOnItsOwn) {
  // Both pseudo-terminals stay open until the link no longer points at them.
  auto first = std::make_unique<test::Pty>();
  test::Pty second;
  const test::PtyLink link("notifier");
  link.pointAt(*first);
  Collector sink;  // outlives the port it listens to
  SerialPort port;
  port.setPortName(link.path());
  port.registerListener(&sink);
  PortNotifier notifier(port);
  notifier.setRetryInterval(200);
  EXPECT_FALSE(notifier.reading());
  port.Open();
  EXPECT_TRUE(notifier.reading());
  first->write({1, 2});
  EXPECT_TRUE(runUntil([&] { return sink.received.size() == 2; }, kPatienceMs));

  link.pointAtNothing();
  first.reset();  // the master goes: the line is gone
  ASSERT_TRUE(runUntil([&] { return port.lineLost(); }, kPatienceMs));
  EXPECT_TRUE(port.Connected());
  EXPECT_FALSE(notifier.reading());
  EXPECT_TRUE(notifier.retrying());

  // A second of the event loop on a dead line, with retries that fail: the
  // loop sleeps between them. One run of the loop, so that only the retries
  // wake it: on a busy machine each wake-up may wait for a processor, but a
  // loop spinning on the dead line would be running or waiting to run all
  // the second.
  const double cpuBefore = test::cpuSeconds();
  const double runnableBefore = test::runnableSeconds();
  QElapsedTimer wall;
  wall.start();
  QEventLoop idle;
  QTimer::singleShot(1000, &idle, &QEventLoop::quit);
  idle.exec();
  const double seconds = static_cast<double>(wall.elapsed()) / 1000;
  EXPECT_LT(test::cpuSeconds() - cpuBefore, 0.1);
  ASSERT_GE(runnableBefore, 0);
  EXPECT_LT(test::runnableSeconds() - runnableBefore, seconds / 2);
  EXPECT_TRUE(port.lineLost());

  link.pointAt(second);
  ASSERT_TRUE(runUntil([&] { return !port.lineLost(); }, kPatienceMs));
  EXPECT_TRUE(notifier.reading());
  EXPECT_FALSE(notifier.retrying());
  second.write({3});
  EXPECT_TRUE(runUntil([&] { return sink.received.size() == 3; }, kPatienceMs));

  port.Close();
  EXPECT_FALSE(notifier.reading());
  EXPECT_FALSE(notifier.retrying());
}

}  // namespace
}  // namespace tavik
