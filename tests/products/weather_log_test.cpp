// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/weather_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "file_size_limit.h"
#include "product_test_support.h"
#include "products/log_week.h"

namespace tavik {
namespace {

using test::crlfLines;
using test::fileBytes;

constexpr const char* kHeader =
    "   Datum    Uhrzeit  FeuchtO  FeuchtI  TempI  TempO  TaupI  TaupO  BaroL   BaroS  "
    "Trend           Vorher      Regen  WindS  WindR  Chill";

// The row of the sample record: its station clock reads 08.12. 13:25:10.
const std::string kSampleRow = std::string("08.12.26") + "   13:25:10" + "       87" + "       45" +
                               "   21.5" + "   -3.5" + "  " + "    9" + "      2" + "    987" +
                               "  1013.2" + "  " + "steigend      " + "  " +
                               "bew\xF6"
                               "lkt   " +
                               "     11" + "    5.3" + "    270" + "     -6";

class WeatherLogTest : public ::testing::Test, protected test::ProductFixture {
 protected:
  void SetUp() override { settings.LogOrdner = logDir; }

  void writeAt(int year, int month, int day, int hour = 12) {
    clock.set(LocalDateTime{year, month, day, hour, 0, 5, 0});
    writeWeatherLog(context());
  }

  // `note`: the line that says what stands in the log file's place.
  void expectOneFailure(const std::string& note = "") {
    ASSERT_EQ(notifier.messages.size(), 1u);
    EXPECT_EQ(notifier.messages[0].text,
              "Fehler beim erstellen oder beim Anhängen von Daten des Wetterlogs" + note);
    EXPECT_EQ(notifier.messages[0].caption, "Wetterlog");
    EXPECT_EQ(notifier.messages[0].buttons, MessageButtons::OkCancel);
    notifier.messages.clear();
  }

  test::TempFolder folder;
  std::string logDir = folder / "log/station";  // neither level exists yet
};

TEST(LogWeekNumberTest, CountsFiveNumbersPerMonth) {
  EXPECT_EQ(logWeekNumber(1, 6), 1);
  EXPECT_EQ(logWeekNumber(1, 7), 2);
  EXPECT_EQ(logWeekNumber(2, 6), 5);
  EXPECT_EQ(logWeekNumber(12, 31), 49);
}

TEST_F(WeatherLogTest, DailyFileGetsOneHeaderAndANewFileAfterMidnight) {
  writeAt(2026, 12, 8, 9);
  writeAt(2026, 12, 8, 23);
  writeAt(2026, 12, 9, 0);

  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(fileBytes(logDir + "/t08.12.26.txt"), crlfLines({kHeader, kSampleRow, kSampleRow}));
  EXPECT_EQ(fileBytes(logDir + "/t09.12.26.txt"), crlfLines({kHeader, kSampleRow}));
}

TEST_F(WeatherLogTest, WordsFillTheirColumnsAndCodesWithoutWordLeaveThemBlank) {
  settings.LogOrdner = logDir + "/";  // a trailing separator is not doubled
  weather.Baro.Trend = 2;
  weather.Baro.Forecast = 8;
  weather.TempIn.Current = -799;
  weather.TempOut.Current = 5;
  weather.Baro.SeaLevel = 65535;
  writeAt(2026, 12, 8);
  weather.Baro.Trend = 7;
  weather.Baro.Forecast = 15;
  writeAt(2026, 12, 8);

  const std::string begin =
      "08.12.26   13:25:10       87       45  -79.9    0.5      9      2    987  6553.5  ";
  const std::string end = "     11    5.3    270     -6";
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(fileBytes(logDir + "/t08.12.26.txt"),
            crlfLines({kHeader, begin + "gleichbleibend  regnerisch" + end,
                       begin + std::string(14 + 2 + 10, ' ') + end}));
}

TEST_F(WeatherLogTest, RowCarriesThePcMomentWithoutValidStationClock) {
  weather.Clock = {};
  clock.set(LocalDateTime{2026, 12, 8, 14, 30, 45, 0});
  writeWeatherLog(context());
  weather.Clock = {10, 25, 13, 30, 2};  // 30 February
  writeWeatherLog(context());
  weather.Clock = {60, 25, 13, 8, 12};  // second 60
  writeWeatherLog(context());

  const std::string rest = kSampleRow.substr(19);
  const std::string row = "08.12.26   14:30:45" + rest;
  EXPECT_EQ(fileBytes(logDir + "/t08.12.26.txt"), crlfLines({kHeader, row, row, row}));
}

TEST_F(WeatherLogTest, WeeklyFileSpansTheMonthEndButMonthFoldersDoNot) {
  settings.LogUpdate = 1;
  settings.LogWochenordner = true;  // used although LogUnterordner is clear
  writeAt(2026, 1, 31);
  writeAt(2026, 2, 1);
  EXPECT_EQ(fileBytes(logDir + "/Woche 5/w5.2026.txt"),
            crlfLines({kHeader, kSampleRow, kSampleRow}));

  settings.LogMonatsordner = true;
  writeAt(2026, 1, 31);
  writeAt(2026, 2, 1);
  writeAt(2026, 12, 7);
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(fileBytes(logDir + "/Januar 2026/Woche 5/w5.2026.txt"),
            crlfLines({kHeader, kSampleRow}));
  EXPECT_EQ(fileBytes(logDir + "/Februar 2026/Woche 5/w5.2026.txt"),
            crlfLines({kHeader, kSampleRow}));
  EXPECT_TRUE(std::filesystem::exists(logDir + "/Dezember 2026/Woche 46/w46.2026.txt"));
}

TEST_F(WeatherLogTest, MonthlyFileIsNamedAfterTheMonth) {
  settings.LogUpdate = 2;
  writeAt(2026, 3, 1);
  writeAt(2026, 3, 31);
  EXPECT_EQ(fileBytes(logDir + "/März.2026.txt"), crlfLines({kHeader, kSampleRow, kSampleRow}));

  settings.LogMonatsordner = true;
  writeAt(2026, 12, 8);
  EXPECT_TRUE(std::filesystem::exists(logDir + "/Dezember 2026/Dezember.2026.txt"));
}

TEST_F(WeatherLogTest, FailuresShowTheMessageAndWriteNoRow) {
  // a file is in the way of the log folder
  std::filesystem::create_directories(folder / "log");
  std::ofstream(folder / "log/file") << "x";
  settings.LogOrdner = folder / "log/file";
  writeAt(2026, 12, 8);
  expectOneFailure();
  EXPECT_EQ(fileBytes(folder / "log/file"), "x");

  // a folder is in the way of the log file
  settings.LogOrdner = logDir;
  std::filesystem::create_directories(logDir + "/t08.12.26.txt");
  writeAt(2026, 12, 8);
  expectOneFailure("\n" + logDir + "/t08.12.26.txt ist ein Ordner, keine Datei.");

  // no file can be created in the folder
  settings.LogOrdner = test::readOnlyFolder(folder / "readonly");
  writeAt(2026, 12, 8);
  expectOneFailure();

  // a period the settings dialog cannot choose names no file
  settings.LogOrdner = folder / "unknown";
  settings.LogUpdate = 3;
  writeAt(2026, 12, 8);
  expectOneFailure();
  EXPECT_FALSE(std::filesystem::exists(folder / "unknown"));
}

TEST_F(WeatherLogTest, RowThatCannotBeStoredIsReported) {
  std::filesystem::create_directories(logDir);
  std::filesystem::create_symlink("/dev/full", logDir + "/t08.12.26.txt");
  writeAt(2026, 12, 8);
  expectOneFailure();
}

TEST_F(WeatherLogTest, AFullDiskCutsTheRowBackAndReportsIt) {
  writeAt(2026, 12, 8);
  const std::string path = logDir + "/t08.12.26.txt";
  const std::string before = fileBytes(path);
  const int result = testing::runWithFileSizeLimit(before.size() + 40, [&] {
    writeAt(2026, 12, 8);
    return notifier.messages.size() == 1 &&
                   notifier.messages[0].text ==
                       "Fehler beim erstellen oder beim Anhängen von Daten des Wetterlogs"
               ? 0
               : 1;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(fileBytes(path), before);
  writeAt(2026, 12, 8);
  EXPECT_EQ(fileBytes(path), crlfLines({kHeader, kSampleRow, kSampleRow}));
  EXPECT_TRUE(notifier.messages.empty());
}

}  // namespace
}  // namespace tavik
