// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/aprs_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "file_size_limit.h"
#include "product_test_support.h"
#include "temp_folder.h"

namespace tavik {
namespace {

using test::crlfLines;
using test::fileBytes;

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The record of the weather line 180/005g012t046h72b10132r000P004p012m/wolkig.
struct AprsTest : ::testing::Test {
  void SetUp() override {
    f.weather = {};
    f.weather.Wind.AvgDir = 180;
    f.weather.Wind.AvgSpeed = 23;
    f.state.gustRing = {10, 54, 20, 0, 31};
    f.weather.TempOut.Current = 80;
    f.weather.HumOut.Current = 72;
    f.weather.Baro.SeaLevel = 10132;
    f.weather.Rain.Yesterday = 7;  // the console's previous day: not in the file
    f.state.rainSinceMidnight = 1;
    f.state.rain24h = 3;
    f.weather.Baro.Forecast = 2;
    f.settings.APRSDatei = folder.dir() + "aprs.txt";
  }
  std::string line() { return aprsFrame(f.context()).weatherLine; }
  test::ProductFixture f;  // clock at 08.12.2026 14:30:45
  testing::TempFolder folder;
};

TEST_F(AprsTest, WritesTheTwoLinesInWindows1252) {
  f.weather.Baro.Forecast = 4;
  std::filesystem::path path = f.settings.APRSDatei;
  writeFile(path.string(), std::string(200, 'x'));  // an older, longer file
  writeAprsFile(f.context());
  EXPECT_EQ(fileBytes(path.string()),
            crlfLines({"Dez 08 2026 14:30", "180/005g012t046h72b10132r000P004p012m/bewoelkt"}));
  EXPECT_TRUE(f.notifier.messages.empty());
}

TEST_F(AprsTest, LineFeedOnlyWhenAskedFor) {
  const std::string lines = "Dez 08 2026 14:30\n180/005g012t046h72b10132r000P004p012m/wolkig\n";
  for (const char* end : {"LF", "lf"}) {
    f.settings.APRSZeilenende = end;
    writeAprsFile(f.context());
    EXPECT_EQ(fileBytes(f.settings.APRSDatei), lines) << end;
  }
  for (const char* end : {"CRLF", "", "CR"}) {
    f.settings.APRSZeilenende = end;
    writeAprsFile(f.context());
    EXPECT_EQ(fileBytes(f.settings.APRSDatei),
              crlfLines({"Dez 08 2026 14:30", "180/005g012t046h72b10132r000P004p012m/wolkig"}))
        << end;
  }
}

TEST_F(AprsTest, NegativeTemperatureLowPressureAndRain) {
  f.weather.TempOut.Current = -200;
  f.weather.Baro.SeaLevel = 9987;
  f.state.rainLastHour = 11;
  EXPECT_EQ(line(), "180/005g012t-04h72b09987r043P004p012m/wolkig");
  f.weather.TempOut.Current = 0;
  EXPECT_EQ(line().substr(11, 4), "t032");
  f.weather.TempOut.Current = -175;  // 0.5 °F: not negative once rounded
  EXPECT_EQ(line().substr(11, 4), "t000");
  f.weather.TempOut.Current = -400;
  EXPECT_EQ(line().substr(11, 4), "t-40");
}

// "r" is the rain of the last hour, never the rate; 25.4 mm to the inch.
TEST_F(AprsTest, RainFieldsAreAmountsInHundredthsOfAnInch) {
  f.weather.Rain.Rate = 88;
  EXPECT_EQ(line().substr(24), "r000P004p012m/wolkig");
  f.state.rainLastHour = 9;
  f.state.rainSinceMidnight = 32;
  f.state.rain24h = 254;
  EXPECT_EQ(line().substr(24), "r035P126p999m/wolkig");
  f.state.rain24h = 253;  // 9.96 in
  EXPECT_EQ(line().substr(32, 4), "p996");
  // The converted gauge: 11 counts are 1.99 mm, 0.08 in.
  f.settings.NormalRegen = false;
  f.state.rainLastHour = 0;
  f.state.rainSinceMidnight = 11;
  f.state.rain24h = 0;
  EXPECT_EQ(line().substr(24), "r000P008p000m/wolkig");
}

TEST_F(AprsTest, NoWindFullHumidityAndForecastWords) {
  f.weather.Wind = {};
  f.state.gustRing = {};
  f.weather.HumOut.Current = 100;
  EXPECT_EQ(line().substr(0, 18), "000/000g000t046h00");
  const std::pair<int, const char*> words[] = {{0, ""},      {1, "sunny"}, {3, ""},
                                               {8, "Regen"}, {9, ""},      {15, ""}};
  for (const auto& [code, word] : words) {
    f.weather.Baro.Forecast = static_cast<uint8_t>(code);
    EXPECT_EQ(line().substr(line().find("m/")), std::string("m/") + word) << code;
  }
}

TEST_F(AprsTest, TimeStampFromTheStationClockOrThePc) {
  f.settings.APRSRechnerZeit = false;
  EXPECT_EQ(aprsFrame(f.context()).timeLine, "Dez 08 2026 14:30");  // no clock group yet
  f.weather.Clock = {10, 5, 9, 3, 1, false, false};
  EXPECT_EQ(aprsFrame(f.context()).timeLine, "Jan 03 2026 09:05");
  f.settings.APRSRechnerZeit = true;
  EXPECT_EQ(aprsFrame(f.context()).timeLine, "Dez 08 2026 14:30");
}

TEST_F(AprsTest, EachFailureShowsTheMessageOnce) {
  const std::string ownerFile = folder.dir() + "plain";
  writeFile(ownerFile, "x");
  std::filesystem::create_directory(folder.dir() + "taken.txt");
  for (const std::string& path : {folder.dir() + "missing/aprs.txt", ownerFile + "/aprs.txt",
                                  folder.dir() + "taken.txt", std::string()}) {
    f.notifier.messages.clear();
    f.settings.APRSDatei = path;
    writeAprsFile(f.context());
    ASSERT_EQ(f.notifier.messages.size(), 1u) << path;
    const std::string note =
        path == folder.dir() + "taken.txt" ? "\n" + path + " ist ein Ordner, keine Datei." : "";
    EXPECT_EQ(f.notifier.messages[0].text, "Fehler beim Erstellen der APRS-Datei" + note);
    EXPECT_EQ(f.notifier.messages[0].caption, "APRS");
  }
  f.notifier.messages.clear();
  f.settings.APRSDatei = folder.dir() + "aprs.txt";
  {
    testing::ScopedReadOnlyFolder readOnly(folder.path());
    writeAprsFile(f.context());
  }
  ASSERT_EQ(f.notifier.messages.size(), 1u);
  EXPECT_EQ(f.notifier.messages[0].text, "Fehler beim Erstellen der APRS-Datei");
  EXPECT_FALSE(std::filesystem::exists(f.settings.APRSDatei));
}

// A decoder reads every field by its width: a number the width cannot hold
// is capped, never written longer, so that the fields after it stay in place.
TEST_F(AprsTest, EveryFieldKeepsItsWidth) {
  f.weather.Wind.AvgDir = 1200;
  f.weather.Wind.AvgSpeed = 5000;  // 500 m/s, 1118 mph
  f.state.gustRing = {0, 0, 65535, 0, 0};
  f.weather.TempOut.Current = 6000;  // 600 °C, 1112 °F
  f.weather.HumOut.Current = 150;
  f.weather.Baro.SeaLevel = 65535;
  f.state.rainLastHour = 65535;
  f.state.rainSinceMidnight = 65535;
  f.state.rain24h = 65535;
  f.weather.Baro.Forecast = 4;
  EXPECT_EQ(line(), "999/999g999t999h00b65535r999P999p999m/bewoelkt");

  f.weather.TempOut.Current = -800;  // -80 °C, -112 °F
  EXPECT_EQ(line().substr(11, 4), "t-99");
  f.weather.TempOut.Current = -729;  // -72.9 °C, -99.2 °F
  EXPECT_EQ(line().substr(11, 4), "t-99");
  f.weather.TempOut.Current = -734;  // -73.4 °C, -100.1 °F
  EXPECT_EQ(line().substr(11, 4), "t-99");
  f.weather.TempOut.Current = 3720;  // 372 °C, 701.6 °F
  EXPECT_EQ(line().substr(11, 4), "t702");

  // The largest values that fit are written as they are.
  f.weather.Wind.AvgDir = 999;
  f.state.rainLastHour = 253;  // 253 / 25.4 × 100 = 996
  EXPECT_EQ(line().substr(0, 4), "999/");
  EXPECT_EQ(line().substr(24, 4), "r996");
}

// APRS is ASCII; only the file says "bewoelkt", the record keeps its word.
TEST_F(AprsTest, TheFileHoldsOnlyAscii) {
  for (int code = 0; code < 16; ++code) {
    f.weather.Baro.Forecast = static_cast<uint8_t>(code);
    writeAprsFile(f.context());
    for (const char c : fileBytes(f.settings.APRSDatei)) {
      EXPECT_LT(static_cast<unsigned char>(c), 0x80) << code;
    }
  }
}

TEST_F(AprsTest, AFullDiskLeavesTheOldFileWhole) {
  writeAprsFile(f.context());
  const std::string before = fileBytes(f.settings.APRSDatei);
  f.weather.TempOut.Current = 200;
  const int result = testing::runWithFileSizeLimit(30, [&] {
    writeAprsFile(f.context());
    return f.notifier.messages.size() == 1 ? 0 : 1;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(fileBytes(f.settings.APRSDatei), before);
  EXPECT_FALSE(std::filesystem::exists(f.settings.APRSDatei + ".tmp"));
}

}  // namespace
}  // namespace tavik
