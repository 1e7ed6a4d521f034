#include <gtest/gtest.h>

#include <stdexcept>

#include "ui/clockwork.h"

namespace tavik {
namespace {

class TogglePort final : public PortControl {
 public:
  void open() override {
    if (busy) throw std::runtime_error("busy");
    isOpen = true;
  }
  void close() override { isOpen = false; }
  bool connected() const override { return isOpen; }
  std::string portName() const override { return "COM2"; }
  bool busy = false;
  bool isOpen = false;
};

class NoProducts final : public ProductActions {
 public:
  void writeProfileReport(int) override {}
  void writeWeatherLog() override {}
  void writeAprsFile() override {}
  void asynopMinuteTick() override {}
};

// The timers as a settings dialog's OK leaves them, active or not.
class DialogTimersTest : public ::testing::Test {
 protected:
  DialogTimersTest() {
    cw.onTimersChanged = [this] { ++changes; };
  }

  WeatherRecord weather;
  StationState station;
  Settings settings;
  ProfileTable profiles;
  ManualClock clock;
  RecordingNotifier notifier;
  TogglePort port;
  NoProducts products;
  Clockwork cw{weather, station, settings, profiles, clock, notifier, port, products};
  int changes = 0;
};

TEST_F(DialogTimersTest, ImportStartsAtOnceWhileInactive) {
  settings.ImportInterval = 5 * 60000;
  cw.takeOverTimers({.importtimer = true, .readtimer = false, .logtimer = std::nullopt});
  EXPECT_EQ(changes, 1);
  const TimerStates s = cw.timerStates();
  EXPECT_EQ(s.importtimer, (TimerState{true, 300000}));
  EXPECT_TRUE(s.importtimer.fires());
  EXPECT_FALSE(s.readtimer.running);
  EXPECT_TRUE(s.logtimer.running);
  EXPECT_FALSE(s.minutencount.running);
  EXPECT_FALSE(s.tmrSekunden.running);
}

TEST_F(DialogTimersTest, RunningWithPeriodZeroNeverFiresAndShowsKeinImport) {
  settings.ImportInterval = 0;
  cw.takeOverTimers({.importtimer = true, .readtimer = std::nullopt, .logtimer = std::nullopt});
  EXPECT_TRUE(cw.timerStates().importtimer.running);
  EXPECT_FALSE(cw.timerStates().importtimer.fires());
  cw.Titelleiste();
  EXPECT_EQ(cw.panelText(1), "Kein Import");
}

TEST_F(DialogTimersTest, ActivationRunsImportAndReadAgainButLeavesTheLogTimer) {
  cw.C1Click();
  ASSERT_TRUE(cw.isActive());
  cw.takeOverTimers({.importtimer = false, .readtimer = std::nullopt, .logtimer = false});
  EXPECT_FALSE(cw.timerStates().importtimer.running);
  EXPECT_TRUE(cw.timerStates().readtimer.running);
  EXPECT_TRUE(cw.timerStates().minutencount.running);

  cw.C1Click();
  cw.C1Click();
  EXPECT_TRUE(cw.timerStates().importtimer.running);
  EXPECT_FALSE(cw.timerStates().logtimer.running);
}

TEST_F(DialogTimersTest, FailedPortSetupStopsATimerStartedWhileInactive) {
  cw.takeOverTimers({.importtimer = true, .readtimer = true, .logtimer = std::nullopt});
  cw.portSetupFailed();
  EXPECT_FALSE(cw.timerStates().importtimer.running);
  EXPECT_FALSE(cw.timerStates().readtimer.running);
  EXPECT_TRUE(cw.timerStates().logtimer.running);
}

}  // namespace
}  // namespace tavik
