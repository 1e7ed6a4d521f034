#include "explorer/weather_log_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/notifier.h"
#include "products/product_context.h"
#include "products/weather_log.h"
#include "temp_folder.h"

namespace tavik {
namespace {

const RegionalSettings& de() { return RegionalSettings::german(); }

constexpr const char* kHeader =
    "   Datum    Uhrzeit  FeuchtO  FeuchtI  TempI  TempO  TaupI  TaupO  BaroL   BaroS  Trend      "
    "     Vorher      Regen  WindS  WindR  Chill";

// Rows as the Wetterlog writes them: both words, no words, one word.
constexpr const char* kRows[] = {
    "08.12.26   14:30:45       87       45   21.5   -3.5      9      2    987  1013.2  steigend  "
    "      bewölkt          11    5.3    270     -6",
    "08.12.26   14:40:45      100        5   22.0   12.0     10     -2    990   998.7            "
    "                     0    0.0      0      0",
    "08.12.26   15:00:00       50       40   19.9    0.1      8      1    985  1020.0  fallend   "
    "                     3   12.5     90      5",
};

std::string logText() {
  std::string text = std::string(kHeader) + "\r\n";
  for (const char* row : kRows) text += std::string(row) + "\r\n";
  return text;
}

TEST(WeatherLogReaderTest, ReadsEveryRowWithOrWithoutItsWords) {
  const std::optional<WeatherLog> log = parseWeatherLog(logText(), de());
  ASSERT_TRUE(log.has_value());
  ASSERT_EQ(log->rows.size(), 3u);
  EXPECT_TRUE(log->unreadLines.empty());
  const WeatherLogRow& r = log->rows[0];
  EXPECT_EQ(r.time, (LocalDateTime{2026, 12, 8, 14, 30, 45, 0}));
  EXPECT_EQ(r.value(LogQuantity::HumOut), 87);
  EXPECT_EQ(r.value(LogQuantity::HumIn), 45);
  EXPECT_DOUBLE_EQ(r.value(LogQuantity::TempIn), 21.5);
  EXPECT_DOUBLE_EQ(r.value(LogQuantity::TempOut), -3.5);
  EXPECT_EQ(r.value(LogQuantity::DewIn), 9);
  EXPECT_EQ(r.value(LogQuantity::DewOut), 2);
  EXPECT_DOUBLE_EQ(r.value(LogQuantity::BaroSea), 1013.2);
  EXPECT_EQ(r.value(LogQuantity::Rain), 11);
  EXPECT_DOUBLE_EQ(r.value(LogQuantity::WindSpeed), 5.3);
  EXPECT_DOUBLE_EQ(log->rows[1].value(LogQuantity::BaroSea), 998.7);
  EXPECT_EQ(log->rows[1].value(LogQuantity::HumOut), 100);
  EXPECT_DOUBLE_EQ(log->rows[2].value(LogQuantity::WindSpeed), 12.5);
  EXPECT_EQ(log->rows[2].value(LogQuantity::Rain), 3);
}

TEST(WeatherLogReaderTest, OtherTextsAreNoWetterlog) {
  EXPECT_FALSE(parseWeatherLog("", de()).has_value());
  EXPECT_FALSE(parseWeatherLog("\r\n  \r\n", de()).has_value());
  EXPECT_FALSE(parseWeatherLog("Hallo Welt\r\n" + logText(), de()).has_value());
  EXPECT_FALSE(parseWeatherLog(kRows[0], de()).has_value());
  // The APRS file's two lines.
  EXPECT_FALSE(
      parseWeatherLog("Dez 08 2026 14:05\r\n180/005g012t046h72b10132r000P004p012m/\r\n", de())
          .has_value());
  // A header alone is a Wetterlog without rows.
  const auto empty = parseWeatherLog(std::string(kHeader) + "\r\n", de());
  ASSERT_TRUE(empty.has_value());
  EXPECT_TRUE(empty->rows.empty());
}

TEST(WeatherLogReaderTest, BrokenRowsAreCountedAndPassedOver) {
  std::string text = "\n" + std::string(kHeader) + "\n" + kRows[0] + "\n";
  text += "08.12.26   14:30:45       87\n";                 // cut short
  text += std::string("31.02.26") + (kRows[1] + 8) + "\n";  // no such day
  text += std::string("08.12.26   25:00:00") + (kRows[1] + 19) + "\n";
  text += std::string(kRows[1]).replace(40, 4, "abcd") + "\n";  // TempI no number
  text += std::string(kHeader) + "\n";                          // a second header is passed over
  text += std::string(kRows[2]) + "\n\n";
  const auto log = parseWeatherLog(text, de());
  ASSERT_TRUE(log.has_value());
  EXPECT_EQ(log->rows.size(), 2u);
  EXPECT_EQ(log->unreadLines, (std::vector<int>{4, 5, 6, 7}));
}

TEST(WeatherLogReaderTest, SeriesRunInTimeOrder) {
  std::string text = std::string(kHeader) + "\n" + kRows[2] + "\n" + kRows[0] + "\n";
  text += std::string("09.01.27") + (kRows[1] + 8) + "\n";
  const auto log = parseWeatherLog(text, de());
  ASSERT_TRUE(log.has_value());
  const std::vector<SeriesPoint> temp = logSeries(*log, LogQuantity::TempOut);
  ASSERT_EQ(temp.size(), 3u);
  EXPECT_EQ(temp[0].value, -3.5);
  EXPECT_EQ(temp[1].value, 0.1);
  EXPECT_EQ(temp[2].value, 12.0);
  EXPECT_EQ(temp[1].seconds - temp[0].seconds, 29 * 60 + 15);
  EXPECT_EQ(timeOfSeconds(temp[2].seconds), (LocalDateTime{2027, 1, 9, 14, 40, 45, 0}));
  EXPECT_EQ(secondsOf(LocalDateTime{1970, 1, 2, 0, 0, 1, 0}), 86401);
}

struct WrittenLogTest : ::testing::Test {
  void snapshot(int hour, int minute, int16_t tempOut, int baroSea, uint8_t trend) {
    clock.set(LocalDateTime{2026, 3, 14, hour, minute, 0, 0});
    weather.TempOut.Current = tempOut;
    weather.Baro.SeaLevel = baroSea;
    weather.Baro.Trend = trend;
    writeWeatherLog(
        ProductContext{weather, state, settings, profiles, clock, de(), notifier, folder.dir()});
  }
  testing::TempFolder folder;
  WeatherRecord weather;  // no clock group: the rows carry the PC's time
  StationState state;
  Settings settings;
  ProfileTable profiles;
  ManualClock clock;
  RecordingNotifier notifier;
};

TEST_F(WrittenLogTest, ReadsWhatTheWetterlogWrote) {
  settings.LogOrdner = folder.dir();
  settings.LogUpdate = 0;
  snapshot(9, 0, -52, 10132, 1);
  snapshot(9, 10, 0, 9987, 0);
  snapshot(9, 20, 215, 10255, 4);
  ASSERT_TRUE(notifier.messages.empty());
  const Outcome<WeatherLog> log = readWeatherLog(folder.path() / "t14.03.26.txt", de());
  ASSERT_TRUE(log.ok()) << log.error;
  EXPECT_TRUE(log.value->unreadLines.empty());
  const auto temp = logSeries(*log.value, LogQuantity::TempOut);
  const auto baro = logSeries(*log.value, LogQuantity::BaroSea);
  ASSERT_EQ(temp.size(), 3u);
  EXPECT_DOUBLE_EQ(temp[0].value, -5.2);
  EXPECT_DOUBLE_EQ(temp[1].value, 0.0);
  EXPECT_DOUBLE_EQ(temp[2].value, 21.5);
  EXPECT_DOUBLE_EQ(baro[1].value, 998.7);
  EXPECT_EQ(temp[2].seconds - temp[0].seconds, 20 * 60);
  EXPECT_EQ(timeOfSeconds(temp[0].seconds), (LocalDateTime{2026, 3, 14, 9, 0, 0, 0}));
}

TEST(WeatherLogFileTest, MissingOrForeignFilesSayWhy) {
  testing::TempFolder folder;
  const Outcome<WeatherLog> missing = readWeatherLog(folder.path() / "fehlt.txt", de());
  EXPECT_FALSE(missing.ok());
  EXPECT_EQ(missing.error, "Die Datei „fehlt.txt“ kann nicht gelesen werden.");
  std::ofstream(folder.path() / "brief.txt") << "Lieber Hans,\r\n";
  const Outcome<WeatherLog> foreign = readWeatherLog(folder.path() / "brief.txt", de());
  EXPECT_FALSE(foreign.ok());
  EXPECT_NE(foreign.error.find("„brief.txt“ ist keine Wetterlog-Datei"), std::string::npos);
  EXPECT_FALSE(readWeatherLog(folder.path(), de()).ok());
}

}  // namespace
}  // namespace tavik
