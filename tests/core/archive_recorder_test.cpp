// SPDX-License-Identifier: GPL-3.0-or-later
// The archive as both programs write it: a row per interval from a usable
// record, the interval's gust, and a failure said once.
#include "core/archive_recorder.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <sstream>

#include "archive/archive_history.h"
#include "archive/archive_writer.h"
#include "event_loop.h"
#include "temp_folder.h"

namespace tavik {
namespace {

class ArchiveRecorderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings.ArchivDatei = (folder.path() / "archive.sqlite").string();
    state.seen8F = state.seen9F = state.seenAF = state.seenBF = state.seenCF = true;
    weather.TempOut.Current = 123;
    weather.DewOut.OutOfRange = true;  // no dew point below 0 °C
    weather.Rain.Total = 40;
    weather.Clock = {7, 59, 11, 8, 12};
  }
  // One minute: the gust ring takes the minute's highest wind, as the
  // clockwork does, then the archive's tick.
  void minute(uint16_t gust, bool usable = true) {
    state.gustRing = {0, 0, 0, 0, gust};
    state.gustMaxMinuteDir = static_cast<int16_t>(gust % 360);
    clock.advanceSeconds(60);
    recorder.minuteTick(usable);
  }
  std::vector<ArchiveRow> rows() {
    std::string error;
    auto h = ArchiveHistory::open(settings.ArchivDatei, error);
    std::vector<ArchiveRow> all;
    if (!h) return all;
    h->rows(INT64_MIN, INT64_MAX, [&](const ArchiveRow& r) {
      all.push_back(r);
      return true;
    });
    return all;
  }

  testing::TempFolder folder;
  WeatherRecord weather;
  StationState state;
  Settings settings;
  ProfileTable profiles;
  ManualClock clock{LocalDateTime{2026, 12, 8, 12, 0, 0}};
  RecordingNotifier notifier;
  std::ostringstream log;
  ProductContext context{weather,  state,       settings,
                         profiles, clock,       RegionalSettings::german(),
                         notifier, folder.dir()};
  ArchiveRecorder recorder{context, log};
};

TEST_F(ArchiveRecorderTest, ARowPerIntervalWithTheIntervalsHighestGust) {
  settings.ArchivIntervall = 2;
  minute(50);  // the first tick writes
  minute(80);
  minute(30);  // written: the highest of these two minutes is 80
  minute(10);
  minute(10, false);  // not usable when due: no row
  const auto r = rows();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].time, utcOfLocal({2026, 12, 8, 12, 1, 0}));
  EXPECT_EQ(r[0].interval, 120);
  EXPECT_EQ(r[0].tempOut, 123);
  EXPECT_FALSE(r[0].dewOut);
  EXPECT_EQ(r[0].rainTotal, 40);
  EXPECT_EQ(r[0].consoleTime, daysFromCivil(2026, 12, 8) * 86400 + 11 * 3600 + 59 * 60 + 7);
  EXPECT_EQ(r[1].gust, 80);
  EXPECT_EQ(r[1].gustDir, 80);
  EXPECT_TRUE(log.str().empty());
}

TEST_F(ArchiveRecorderTest, OffWritesNothingAndAFailureIsSaidOnceUntilItIsGone) {
  settings.ArchivAktiv = false;
  minute(0);
  EXPECT_FALSE(std::filesystem::exists(settings.ArchivDatei));

  settings.ArchivAktiv = true;
  std::filesystem::create_directory(settings.ArchivDatei);  // a folder where the file should be
  minute(0);
  minute(0);
  EXPECT_FALSE(recorder.status().empty());
  EXPECT_NE(log.str().find(settings.ArchivDatei), std::string::npos) << log.str();
  const std::string once = log.str();
  EXPECT_EQ(once.find('\n'), once.size() - 1) << once;

  std::filesystem::remove(settings.ArchivDatei);
  minute(0);
  EXPECT_TRUE(recorder.status().empty());
  EXPECT_EQ(rows().size(), 1u);
  EXPECT_NE(log.str().find("wieder"), std::string::npos) << log.str();
}

// An archive of the previous version (without hour tables) is renewed from
// the settings' loading on, a slice per pass of the event loop, while rows
// go on being written; the start and the end are news for the journal.
TEST_F(ArchiveRecorderTest, AnOlderArchiveIsRenewedBesideTheStationAndSaysSo) {
  test::ensureCoreApplication();
  {
    std::string error;
    auto w = ArchiveWriter::open(settings.ArchivDatei, error);
    ASSERT_TRUE(w) << error;
    const int64_t start = utcOfLocal({2026, 12, 1, 0, 0, 0});
    for (int i = 0; i < 5 * 24; ++i) {
      ArchiveRow r;
      r.time = start + i * 3600;
      r.tempOut = i;
      ASSERT_EQ(w->write(r), ArchiveWriter::Result::Added);
    }
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(settings.ArchivDatei.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(
      sqlite3_exec(db, "DROP TABLE hour_total; DROP TABLE hour_summary; PRAGMA user_version=1",
                   nullptr, nullptr, nullptr),
      SQLITE_OK);
  sqlite3_close(db);

  recorder.settingsLoaded();
  const std::string begun = log.str();
  EXPECT_EQ(begun.rfind("<6>Das Archiv \"" + settings.ArchivDatei + "\"", 0), 0u) << begun;
  EXPECT_NE(begun.find("erneuert"), std::string::npos) << begun;
  EXPECT_EQ(begun.find('\n'), begun.size() - 1) << begun;
  minute(70);                 // written while the renewal runs
  recorder.settingsLoaded();  // a reload does not begin it again
  ASSERT_TRUE(
      test::runUntil([&] { return log.str().find("ist erneuert") != std::string::npos; }, 5000))
      << log.str();
  const std::string ended = log.str().substr(begun.size());
  EXPECT_EQ(ended.rfind("<6>Das Archiv", 0), 0u) << ended;
  EXPECT_NE(ended.find("von 120 Stunden"), std::string::npos) << ended;

  std::string error;
  auto h = ArchiveHistory::open(settings.ArchivDatei, error);
  ASSERT_TRUE(h) << error;
  EXPECT_EQ(h->notice(), "");
  EXPECT_EQ(h->hourly(ArchiveQuantity::TempOut, INT64_MIN, INT64_MAX).size(), 5u * 24 + 1);
  EXPECT_EQ(rows().size(), 5u * 24 + 1);
}

}  // namespace
}  // namespace tavik
