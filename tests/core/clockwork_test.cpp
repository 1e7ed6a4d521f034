// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clockwork.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "clockwork_fixture.h"

namespace tavik {
namespace {

using tavik::testing::ClockworkTest;

TEST_F(ClockworkTest, TwoSimulatedDaysKeepRollingRainAndWriteDailyProfileOnce) {
  profiles.maxprofil = 4;
  profiles[1].WieWinGT = true;
  profiles[2].Uhrzeit = "16:57";
  profiles[3].Uhrzeit = "7:05";
  profiles[4].WieWinGT = true;
  settings.ImportInterval = 300000;
  settings.ReadInterval = 0;
  settings.LogInterval = 600000;
  clock.setUtcOffsetMinutes(60);
  create();
  cw->toggleActive();
  ASSERT_TRUE(cw->isActive());
  setAllSeen();

  runSeconds(2 * 86400, [&] {
    const LocalDateTime t = clock.now();
    if (t.minute == 0 && t.second == 0) ++weather.Rain.Total;  // 1 mm an hour
    if (t.second == 0) cw->rainGroupAccepted();
  });
  cw->importNow();

  // 16 07:42: the rain of 15 08:00 to 16 07:00, of 07:00, and of 01:00 to
  // 07:00 (the group at 00:00:00 tells of rain before midnight).
  EXPECT_EQ(station.rain24h, 24);
  EXPECT_EQ(station.rainLastHour, 1);
  EXPECT_EQ(station.rainSinceMidnight, 7);
  EXPECT_FALSE(station.rainSince);
  std::vector<std::string> dailyTimes;
  for (size_t i = 0; i < products.calls.size(); ++i) {
    if (products.calls[i] == "profile 2") dailyTimes.push_back(products.times[i]);
  }
  EXPECT_EQ(dailyTimes, (std::vector<std::string>{"16:57", "16:57"}));
  EXPECT_EQ(products.count("profile 3"), 0);
  EXPECT_EQ(products.count("profile 1"), 1);  // the import command only
  EXPECT_EQ(products.count("profile 4"), 2 * 288 + 1);
  EXPECT_EQ(products.count("log"), 2 * 144);
  EXPECT_EQ(products.count("aprs"), 2 * 1440);
  EXPECT_EQ(products.asynopTicks, 2 * 1440);
  EXPECT_EQ(cw->activeSeconds(), 2u * 86400u);
}

TEST_F(ClockworkTest, DailyProfileOnceWhenTicksDriftAcrossItsMinute) {
  profiles.maxprofil = 2;
  profiles[2].Uhrzeit = "16:57";
  create({2026, 3, 14, 16, 50, 30});
  cw->toggleActive();
  setAllSeen();
  const auto tickAt = [&](int day, int hour, int minute, int second) {
    clock.set({2026, 3, day, hour, minute, second});
    cw->goodGroupArrived();
    cw->minutencountTimer();
  };
  tickAt(14, 16, 56, 59);
  tickAt(14, 16, 58, 1);  // 16:57 fell between two ticks
  EXPECT_EQ(products.count("profile 2"), 1);
  tickAt(15, 16, 57, 0);
  tickAt(15, 16, 57, 58);  // two ticks in the same minute
  EXPECT_EQ(products.count("profile 2"), 2);

  tickAt(16, 16, 55, 0);
  cw->toggleActive();
  cw->toggleActive();
  tickAt(16, 16, 59, 30);  // 16:57 passed while inactive
  EXPECT_EQ(products.count("profile 2"), 2);
}

// The service asks for a state, not a toggle: asking twice changes nothing.
TEST_F(ClockworkTest, SetActiveOnlyTogglesWhenTheStateDiffers) {
  create();
  cw->setActive(false);
  EXPECT_FALSE(cw->isActive());
  cw->setActive(true);
  cw->setActive(true);
  EXPECT_TRUE(cw->isActive());
  EXPECT_TRUE(port.isOpen);
  cw->setActive(false);
  cw->setActive(false);
  EXPECT_FALSE(cw->isActive());
  EXPECT_FALSE(port.isOpen);
}

TEST_F(ClockworkTest, StatusTextsCountDownAndRunTimeSurvivesDeactivation) {
  settings.ImportInterval = 300000;
  settings.LogInterval = 600000;
  create();
  EXPECT_EQ(cw->caption(), "Tavik Output - Inactive");
  runSeconds(125);  // the log timer runs from the start, active or not
  cw->toggleActive();
  EXPECT_EQ(cw->caption(), "Tavik Output - Aktiv");
  EXPECT_EQ(cw->panelText(1), "Import: 5:00");
  EXPECT_EQ(cw->panelText(3), "Wetterlog: 7:55");
  EXPECT_EQ(cw->panelText(4), "APRS: 0:59");
  runSeconds(3673);
  cw->toggleActive();
  EXPECT_EQ(cw->caption(), "Tavik Output - Inaktiv");
  EXPECT_FALSE(port.isOpen);
  EXPECT_FALSE(cw->toolButtonDown());
  cw->toggleActive();
  runSeconds(52);
  EXPECT_EQ(cw->panelText(1), "Import: 4:08");
  EXPECT_EQ(cw->panelText(2), "Kein Read");
  EXPECT_EQ(cw->panelText(3), "Wetterlog: 5:50");  // (125 + 3673 + 52) s after the start
  EXPECT_EQ(cw->panelText(5), "Laufzeit: 1:02:05");
  runSeconds(60);
  EXPECT_EQ(cw->panelText(1), "Import: 3:08");
  runSeconds(240);
  EXPECT_EQ(cw->panelText(1), "Import: 4:08");  // the timer fired and starts again
}

TEST_F(ClockworkTest, PeriodsOfZeroOrBelowAMinute) {
  profiles.maxprofil = 2;
  profiles[2].WieWinGT = true;
  settings.ImportInterval = 30000;
  settings.ReadInterval = -5;
  settings.LogInterval = 0;
  settings.APRSIntervall = 0;
  create();
  cw->toggleActive();
  setAllSeen();
  EXPECT_EQ(cw->panelText(1), "Import: 0:30");
  EXPECT_EQ(cw->panelText(2), "Kein Read");
  EXPECT_EQ(cw->panelText(3), "Kein Log");
  EXPECT_EQ(cw->panelText(4), "Kein APRS");
  EXPECT_FALSE(cw->timerStates().readtimer.fires());
  EXPECT_FALSE(cw->timerStates().logtimer.fires());

  runSeconds(600);
  EXPECT_EQ(cw->panelText(1), "Import: 0:30");
  EXPECT_EQ(products.count("profile 2"), 20);
  EXPECT_EQ(products.calls.size(), 20u);  // no Read, Log or APRS
}

TEST_F(ClockworkTest, CountdownOfAFifteenSecondPeriodAndOfOneThatIsNoWholeMinute) {
  settings.ReadInterval = 15000;
  settings.ImportInterval = 90000;
  create();
  cw->toggleActive();
  EXPECT_EQ(cw->panelText(2), "Read: 0:15");
  EXPECT_EQ(cw->panelText(1), "Import: 1:30");
  std::vector<std::string> shown;
  runSeconds(16, [&] { shown.push_back(cw->panelText(2)); });
  EXPECT_EQ(shown.front(), "Read: 0:14");
  EXPECT_EQ(shown[13], "Read: 0:01");
  EXPECT_EQ(shown[14], "Read: 0:15");  // fired at 15 s
  EXPECT_EQ(shown[15], "Read: 0:14");
  EXPECT_EQ(cw->panelText(1), "Import: 1:14");

  // A new period restarts the timer, and the countdown with it.
  runSeconds(4);
  settings.ReadInterval = 20000;
  cw->periodsChanged();
  cw->updateStatusTexts();
  EXPECT_EQ(cw->panelText(2), "Read: 0:20");
}

TEST_F(ClockworkTest, AprsEveryIntervalWhileActive) {
  settings.APRSIntervall = 3;
  create();
  cw->toggleActive();
  setAllSeen();
  runSeconds(9 * 60);
  EXPECT_EQ(products.count("aprs"), 3);
  cw->toggleActive();
  runSeconds(9 * 60);
  EXPECT_EQ(products.count("aprs"), 3);
}

TEST_F(ClockworkTest, ActivationProductsOnlyOnceEveryGroupHasArrived) {
  profiles.maxprofil = 3;
  profiles[1].WieWinGT = true;
  profiles[3].WieWinGT = true;
  weather.Rain.Total = 37;
  create();
  cw->toggleActive();
  EXPECT_TRUE(products.calls.empty());

  setAllSeen();
  cw->toggleActive();
  cw->toggleActive();
  EXPECT_EQ(products.calls,
            (std::vector<std::string>{"profile 1", "profile 3", "profile 1", "log", "aprs"}));

  settings.autoImport = settings.autoLog = false;
  products.calls.clear();
  cw->toggleActive();
  cw->toggleActive();
  EXPECT_EQ(products.calls, (std::vector<std::string>{"profile 1", "aprs"}));
}

TEST_F(ClockworkTest, BusyPortFallsBackToInactiveWithoutProducts) {
  setAllSeen();
  port.busy = true;
  create();
  TimerStates duringMessage;
  notifier.whileShown = [&] { duringMessage = cw->timerStates(); };
  cw->toggleActive();

  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, "COM2 kann nich geöffnet werden.");
  EXPECT_EQ(notifier.messages[0].caption, "Comport belegt");
  EXPECT_EQ(notifier.messages[0].buttons, MessageButtons::OkCancel);
  EXPECT_FALSE(duringMessage.minutencount.running);
  EXPECT_FALSE(duringMessage.importtimer.running);
  EXPECT_TRUE(duringMessage.logtimer.running);
  EXPECT_FALSE(cw->isActive());
  EXPECT_FALSE(cw->toolButtonDown());
  EXPECT_EQ(cw->caption(), "Tavik Output - Inaktiv");
  EXPECT_TRUE(products.calls.empty());
  EXPECT_FALSE(timers[0].applied.running);

  port.busy = false;
  cw->toggleActive();
  EXPECT_TRUE(cw->isActive());
  EXPECT_TRUE(cw->toolButtonDown());
  EXPECT_TRUE(timers[1].applied.fires());

  cw->portSetupFailed();
  EXPECT_EQ(notifier.messages.size(), 2u);
  EXPECT_FALSE(port.isOpen);
  EXPECT_FALSE(cw->isActive());
  EXPECT_EQ(cw->caption(), "Tavik Output - Inaktiv");
  EXPECT_FALSE(timers[1].applied.running);
}

TEST_F(ClockworkTest, FewProfilesWriteNothingOnTimerOrSchedule) {
  create();
  setAllSeen();
  for (int max : {0, 1}) {
    profiles.maxprofil = static_cast<uint8_t>(max);
    clock.advanceSeconds(60);
    cw->goodGroupArrived();
    profiles[1].Uhrzeit = formatDateTime("hh:nn", clock.now(), RegionalSettings::german());
    cw->importtimerTimer();
    cw->minutencountTimer();
  }
  EXPECT_TRUE(products.calls.empty());
  cw->importNow();
  EXPECT_TRUE(products.calls.empty());
  profiles[1].WieWinGT = true;
  cw->importNow();
  EXPECT_EQ(products.calls, (std::vector<std::string>{"profile 1"}));

  profiles.maxprofil = 255;  // beyond the table: stops at profile 100
  profiles[100].WieWinGT = true;
  products.calls.clear();
  cw->importtimerTimer();
  EXPECT_EQ(products.calls, (std::vector<std::string>{"profile 100"}));
}

TEST_F(ClockworkTest, GustRingKeepsFullSpeedsOldestFirst) {
  create();
  for (uint16_t gust : {12, 30, 8, 0, 300}) {
    station.gustMaxMinute = gust;
    cw->minutencountTimer();
    EXPECT_EQ(station.gustMaxMinute, 0);
  }
  EXPECT_EQ(station.gustRing, (std::array<uint16_t, 5>{12, 30, 8, 0, 300}));
  for (int i = 0; i < 5; ++i) cw->minutencountTimer();
  EXPECT_EQ(station.gustRing, (std::array<uint16_t, 5>{}));
}

TEST_F(ClockworkTest, AResetConsoleTotalCountsOnInsteadOfWrapping) {
  clock.setUtcOffsetMinutes(60);
  weather.Rain.Total = 50;
  create();
  setAllSeen();
  cw->toggleActive();
  cw->rainGroupAccepted();
  clock.advanceSeconds(60);
  weather.Rain.Total = 58;
  cw->rainGroupAccepted();
  EXPECT_EQ(station.rain24h, 8);
  clock.advanceSeconds(60);
  weather.Rain.Total = 0;  // reset on the console
  cw->rainGroupAccepted();
  clock.advanceSeconds(60);
  weather.Rain.Total = 5;
  cw->rainGroupAccepted();
  EXPECT_EQ(station.rain24h, 13);
  EXPECT_EQ(station.rainLastHour, 13);
}

// A settings dialog's OK sets the import, read and log timers running or
// stopped whether the window is active or not.
TEST_F(ClockworkTest, DialogStartsImportWhileInactiveAndZeroMinutesNeverFire) {
  profiles.maxprofil = 2;
  profiles[2].WieWinGT = true;
  create();
  setAllSeen();
  cw->takeOverTimers({.importtimer = true, .readtimer = std::nullopt, .logtimer = std::nullopt});
  EXPECT_FALSE(cw->timerStates().minutencount.running);
  runSeconds(600);
  EXPECT_EQ(products.count("profile 2"), 2);

  settings.ImportInterval = 0;  // the dialog's "00": running, never firing
  cw->takeOverTimers({.importtimer = true, .readtimer = std::nullopt, .logtimer = std::nullopt});
  runSeconds(600);
  EXPECT_EQ(products.count("profile 2"), 2);
  EXPECT_TRUE(cw->timerStates().importtimer.running);
  cw->updateStatusTexts();
  EXPECT_EQ(cw->panelText(1), "Kein Import");
}

TEST_F(ClockworkTest, ActivationRestartsDialogStoppedImportButNotTheLog) {
  create();
  cw->takeOverTimers({.importtimer = false, .readtimer = std::nullopt, .logtimer = false});
  EXPECT_FALSE(cw->timerStates().logtimer.running);
  cw->toggleActive();
  EXPECT_TRUE(cw->timerStates().importtimer.running);
  cw->takeOverTimers({.importtimer = false, .readtimer = std::nullopt, .logtimer = std::nullopt});
  EXPECT_FALSE(cw->timerStates().importtimer.running);
  EXPECT_TRUE(cw->timerStates().readtimer.running);
  cw->toggleActive();
  cw->toggleActive();
  EXPECT_TRUE(cw->timerStates().importtimer.running);
  EXPECT_FALSE(cw->timerStates().logtimer.running);

  // A failed port setup stops the four timers, also one a dialog started.
  cw->toggleActive();
  cw->takeOverTimers({.importtimer = true, .readtimer = std::nullopt, .logtimer = std::nullopt});
  cw->portSetupFailed();
  EXPECT_FALSE(cw->timerStates().importtimer.running);
}

// Until a whole day was seen, the spans count from the first rain group and
// say from when; the console's whole total never counts.
TEST_F(ClockworkTest, RainCountsFromTheFirstRainGroupUntilADayIsSeen) {
  clock.setUtcOffsetMinutes(60);
  create({2026, 3, 14, 23, 50, 0});
  cw->toggleActive();  // active before any data arrived
  runSeconds(5 * 60);
  EXPECT_EQ(station.rain24h, 0);
  EXPECT_FALSE(station.rainSince);
  weather.Rain.Total = 1234;  // the first rain group
  cw->rainGroupAccepted();
  EXPECT_EQ(station.rain24h, 0);
  EXPECT_EQ(station.rainSince, (LocalDateTime{2026, 3, 14, 23, 55, 0}));
  runSeconds(60);
  weather.Rain.Total = 1241;
  cw->rainGroupAccepted();
  EXPECT_EQ(station.rain24h, 7);
  EXPECT_EQ(station.rainSinceMidnight, 7);
  // Midnight starts today's count at once, also with no rain group since.
  runSeconds(5 * 60);
  EXPECT_EQ(station.rainSinceMidnight, 0);
  EXPECT_EQ(station.rain24h, 7);
  weather.Rain.Total = 1243;
  cw->rainGroupAccepted();
  EXPECT_EQ(station.rainSinceMidnight, 2);
  // A day later the first rain group has left the last 24 hours.
  runSeconds(86400, [&] {
    if (clock.now().second == 0) cw->rainGroupAccepted();
  });
  EXPECT_EQ(station.rain24h, 0);
  EXPECT_FALSE(station.rainSince);
}

// The archive's samples seed the ledger: the spans count from them.
TEST_F(ClockworkTest, SeededRainCountsFromBeforeTheStart) {
  clock.setUtcOffsetMinutes(60);
  create({2026, 3, 15, 12, 0, 0});
  const long long now = utcSeconds(clock.now(), 60);
  cw->seedRain({{now - 30 * 3600, 90}, {now - 20 * 3600, 100}, {now - 2 * 3600, 110}});
  weather.Rain.Total = 112;
  cw->rainGroupAccepted();
  EXPECT_EQ(station.rainLastHour, 2);
  EXPECT_EQ(station.rain24h, 22);
  EXPECT_EQ(station.rainSinceMidnight, 12);  // midnight is 12 h back: counter 100
  EXPECT_FALSE(station.rainSince);
}

// Local midnight in the zone of that midnight: on the day of the change to
// summer time, "today" at 12:00 CEST covers the 11 hours since 23:00 UTC.
TEST_F(ClockworkTest, TodayCountsFromLocalMidnightAcrossADaylightSavingChange) {
  const char* zone = std::getenv("TZ");
  const std::string saved = zone ? zone : "";
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  create({2026, 3, 29, 12, 0, 0});
  const long long now = utcSeconds(clock.now(), 120);
  cw->seedRain({{now - 12 * 3600, 10}, {now - 11 * 3600 - 60, 20}, {now - 11 * 3600 + 60, 30}});
  weather.Rain.Total = 34;
  cw->rainGroupAccepted();
  EXPECT_EQ(station.rainSinceMidnight, 14);
  EXPECT_EQ(station.rainLastHour, 4);
  if (zone) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

}  // namespace
}  // namespace tavik
