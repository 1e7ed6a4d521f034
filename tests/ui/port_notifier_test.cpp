#include "ui/port_notifier.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include "../station/pty.h"
#include "station/port_listener.h"
#include "station/serial_port.h"

namespace tavik {
namespace {

using Bytes = std::vector<uint8_t>;

struct Collector : PortListener {
  void receiveChunk(std::span<const uint8_t> chunk) override {
    received.insert(received.end(), chunk.begin(), chunk.end());
  }
  Bytes received;
};

// Runs the event loop until `done` holds or `ms` have passed.
template <typename Pred>
bool runUntil(Pred done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > ms) return false;
    QEventLoop loop;
    QTimer::singleShot(10, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

class PortNotifierTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "port_notifier_test";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
  }
};

TEST_F(PortNotifierTest, ReadsWhileOpenAndStopsWhenClosed) {
  test::Pty pty;
  Collector sink;  // outlives the port it listens to
  SerialPort port;
  port.setPortName(pty.slavePath());
  port.registerListener(&sink);
  PortNotifier notifier(port);
  EXPECT_FALSE(notifier.reading());

  port.Open();
  EXPECT_TRUE(notifier.reading());
  pty.write({1, 2, 3});
  EXPECT_TRUE(runUntil([&] { return sink.received.size() == 3; }, 2000));

  port.Close();
  EXPECT_FALSE(notifier.reading());
  EXPECT_FALSE(notifier.retrying());
  port.Open();
  pty.write({4});
  EXPECT_TRUE(runUntil([&] { return sink.received.size() == 4; }, 2000));
}

TEST_F(PortNotifierTest, LostLineIdlesAndComesBackOnItsOwn) {
  const test::PtyLink link("notifier");

  auto first = std::make_unique<test::Pty>();
  link.pointAt(*first);
  Collector sink;
  SerialPort port;
  port.setPortName(link.path());
  port.registerListener(&sink);
  PortNotifier notifier(port);
  notifier.setRetryInterval(200);
  port.Open();

  first.reset();  // the master goes: the line is gone
  ASSERT_TRUE(runUntil([&] { return port.lineLost(); }, 2000));
  EXPECT_TRUE(port.Connected());
  EXPECT_FALSE(notifier.reading());
  EXPECT_TRUE(notifier.retrying());

  // A second of the event loop on a dead line, with retries that fail.
  const double cpuBefore = test::cpuSeconds();
  runUntil([] { return false; }, 1000);
  EXPECT_LT(test::cpuSeconds() - cpuBefore, 0.1);
  EXPECT_TRUE(port.lineLost());

  test::Pty second;
  link.pointAt(second);
  ASSERT_TRUE(runUntil([&] { return !port.lineLost(); }, 2000));
  EXPECT_TRUE(notifier.reading());
  EXPECT_FALSE(notifier.retrying());
  second.write({5, 6});
  EXPECT_TRUE(runUntil([&] { return sink.received.size() == 2; }, 2000));

  port.Close();
}

}  // namespace
}  // namespace tavik
