// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/upload_schedule.h"

#include <gtest/gtest.h>

#include "common/journal_lines.h"

namespace tavik {
namespace {

// Ticks until the schedule says an upload is due; how many that took.
int ticksUntilDue(UploadSchedule& s, bool sendable = true, int limit = 10000) {
  for (int n = 1; n <= limit; ++n) {
    if (s.secondTick(sendable)) return n;
  }
  return -1;
}

TEST(UploadSchedule, FirstUploadWaitsForASendableRecordThenOnePerInterval) {
  UploadSchedule s("CWOP");
  EXPECT_EQ(s.status(), "CWOP: aus");
  EXPECT_EQ(s.configure(true, 600, ""), "");
  EXPECT_FALSE(s.secondTick(false));
  EXPECT_EQ(s.status(), "CWOP: wartet auf Daten");
  EXPECT_TRUE(s.secondTick(true));
  s.started();
  EXPECT_EQ(s.status(), "CWOP: sendet");
  EXPECT_FALSE(s.secondTick(true));  // one in flight at most
  EXPECT_EQ(s.finished({true, "logresp verified"}), "CWOP: gesendet: logresp verified");
  EXPECT_EQ(s.status(), "CWOP: 10:00");
  s.secondTick(true);
  EXPECT_EQ(s.status(), "CWOP: 9:59");
  EXPECT_EQ(ticksUntilDue(s), 599);
  s.started();
  EXPECT_EQ(s.finished({true, "ok"}), "");  // no change of state, no line
}

TEST(UploadSchedule, BackOffDoublesUpToTenMinutesAndEachFailureIsLoggedOnce) {
  UploadSchedule s("WU");
  s.configure(true, 300, "");
  ASSERT_EQ(ticksUntilDue(s), 1);
  std::vector<int> waits;
  std::vector<std::string> lines;
  for (int i = 0; i < 12; ++i) {
    s.started();
    lines.push_back(s.finished({false, "Verbindung abgelehnt"}));
    waits.push_back(ticksUntilDue(s));
  }
  EXPECT_EQ(waits, (std::vector<int>{1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 600, 600}));
  EXPECT_EQ(lines[0], "WU: Senden fehlgeschlagen: Verbindung abgelehnt");
  EXPECT_EQ(linePriority(lines[0]), Priority::Warning);
  for (size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i], "") << i;
  s.started();
  s.finished({false, "Verbindung abgelehnt"});
  EXPECT_EQ(s.status(), "WU: Verbindung abgelehnt (neuer Versuch in 10:00)");
  // Another reason is another state; the recovery ends the back-off.
  s.started();
  EXPECT_EQ(s.finished({false, "Zeitüberschreitung"}),
            "WU: Senden fehlgeschlagen: Zeitüberschreitung");
  ticksUntilDue(s);
  s.started();
  const std::string recovered = s.finished({true, "success"});
  EXPECT_EQ(recovered, "WU: wieder gesendet: success");
  EXPECT_EQ(linePriority(recovered), Priority::Notice);
  EXPECT_EQ(ticksUntilDue(s), 300);
}

TEST(UploadSchedule, ASettingItLacksKeepsItOffAndIsSaidOnce) {
  UploadSchedule s("CWOP");
  EXPECT_EQ(s.configure(true, 600, "kein gültiges Rufzeichen"),
            "CWOP: Senden fehlgeschlagen: kein gültiges Rufzeichen");
  EXPECT_EQ(s.configure(true, 600, "kein gültiges Rufzeichen"), "");
  EXPECT_FALSE(s.running());
  EXPECT_EQ(ticksUntilDue(s, true, 100), -1);
  EXPECT_EQ(s.status(), "CWOP: kein gültiges Rufzeichen");
  EXPECT_EQ(s.configure(true, 600, ""), "");
  EXPECT_EQ(ticksUntilDue(s), 1);
  s.started();
  s.finished({true, "ok"});
  EXPECT_EQ(s.configure(false, 600, ""), "CWOP: ausgeschaltet");
}

TEST(UploadSchedule, AShorterIntervalShortensTheWait) {
  UploadSchedule s("WU");
  s.configure(true, 3600, "");
  ticksUntilDue(s);
  s.started();
  s.finished({true, "success"});
  s.configure(true, 60, "");
  EXPECT_EQ(ticksUntilDue(s), 60);
  EXPECT_EQ(minutesSeconds(0), "0:00");
  EXPECT_EQ(minutesSeconds(61), "1:01");
  EXPECT_EQ(minutesSeconds(-5), "0:00");
}

}  // namespace
}  // namespace tavik
