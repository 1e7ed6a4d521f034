// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/signal_watch.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "event_loop.h"

namespace tavik {
namespace {

class SignalWatchTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { test::ensureCoreApplication(); }
  template <typename Pred>
  static bool runUntil(Pred done) {
    return test::runUntil(done, 2000);
  }
};

TEST_F(SignalWatchTest, SignalsReachTheEventLoop) {
  int stops = 0;
  int reloads = 0;
  {
    SignalWatch watch([&] { ++stops; }, [&] { ++reloads; });
    raise(SIGHUP);
    raise(SIGHUP);
    EXPECT_TRUE(runUntil([&] { return reloads == 2; }));
    EXPECT_EQ(stops, 0);  // nothing runs inside the signal handler
    raise(SIGINT);
    EXPECT_TRUE(runUntil([&] { return stops == 1; }));
  }
  // Gone with its scope, the watch makes room for a new one.
  SignalWatch again([&] { ++stops; });
  raise(SIGTERM);
  EXPECT_TRUE(runUntil([&] { return stops == 2; }));
}

// The first stop signal's work hangs (a box waiting for a person, a blocked
// write): the second one still ends the process at once.
TEST_F(SignalWatchTest, SecondStopSignalEndsTheProcessWhateverTheFirstWaitsFor) {
  EXPECT_EXIT(
      {
        SignalWatch watch([] {
          std::thread([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            kill(getpid(), SIGINT);
          }).detach();
          std::this_thread::sleep_for(std::chrono::seconds(30));
        });
        raise(SIGTERM);
        runUntil([] { return false; });
      },
      ::testing::ExitedWithCode(128 + SIGINT), "zweites Signal");
}

}  // namespace
}  // namespace tavik
