// SPDX-License-Identifier: GPL-3.0-or-later
// The uploads send the numbers the APRS file carries: one record, the APRS
// file's weather line, the CWOP packet and the Weather Underground request.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "../products/product_test_support.h"
#include "products/aprs_file.h"
#include "uploads/aprs_is.h"
#include "uploads/wunderground.h"

namespace tavik {
namespace {

// The digits after the first `letter` from `from` on.
std::string fieldAfter(const std::string& text, char letter, size_t width, size_t from = 0) {
  const size_t at = text.find(letter, from);
  return at == std::string::npos ? "?" : text.substr(at + 1, width);
}

struct Case {
  const char* name;
  int tempOut;  // tenths of °C
  int humOut;
  int avgSpeed, gustPeak;  // tenths of m/s
  int rainLastHour, rain24h, rainToday;
  bool normalGauge;
};

TEST(UploadFields, PacketAndRequestCarryTheAprsFilesNumbers) {
  const Case cases[] = {
      {"mild", 80, 72, 23, 54, 1, 3, 2, true},
      {"rebuilt gauge", -35, 87, 5, 128, 6, 28, 17, false},
      {"frost, saturated, storm", -203, 100, 600, 700, 0, 0, 0, true},
      {"rain beyond the field", 251, 40, 0, 0, 120, 400, 300, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ProductFixture f;
    f.weather.TempOut.Current = c.tempOut;
    f.weather.HumOut.Current = static_cast<uint8_t>(c.humOut);
    f.weather.Wind.AvgSpeed = static_cast<uint16_t>(c.avgSpeed);
    f.state.gustRing = {0, static_cast<uint16_t>(c.gustPeak), 0, 0, 0};
    f.state.rainLastHour = static_cast<uint16_t>(c.rainLastHour);
    f.state.rain24h = static_cast<uint16_t>(c.rain24h);
    f.state.rainSinceMidnight = static_cast<uint16_t>(c.rainToday);
    f.state.seen8F = f.state.seen9F = f.state.seenAF = f.state.seenBF = f.state.seenCF = true;
    f.settings.NormalRegen = c.normalGauge;

    const std::string file = aprsFrame(f.context()).weatherLine;
    const UploadRecord record{publishedValues(f.weather, f.state), 1796825100, c.normalGauge};
    const std::string packet = cwopPacket("DL1ABC", "5030.00N/00800.00E", record, "1");
    const size_t weather = packet.find('_');
    ASSERT_NE(weather, std::string::npos);
    EXPECT_EQ(packet.substr(weather + 1, 7), file.substr(0, 7));  // ddd/sss
    for (const auto& [letter, width] : std::map<char, size_t>{
             {'g', 3}, {'t', 3}, {'h', 2}, {'b', 5}, {'r', 3}, {'p', 3}, {'P', 3}}) {
      EXPECT_EQ(fieldAfter(packet, letter, width, weather), fieldAfter(file, letter, width))
          << letter << " in " << packet << " and " << file;
    }

    std::map<std::string, std::string> request;
    for (const auto& [name, value] : wundergroundParameters("I1", "k", record, "1")) {
      request[name] = value;
    }
    const auto hundredths = [](const std::string& inches) {
      return std::lround(std::stod(inches) * 100);
    };
    // WU has no cap of three digits.
    const auto capped = [](long n) { return std::min(n, 999L); };
    EXPECT_EQ(capped(hundredths(request.at("rainin"))), std::stol(fieldAfter(file, 'r', 3)));
    EXPECT_EQ(capped(hundredths(request.at("dailyrainin"))), std::stol(fieldAfter(file, 'P', 3)));
  }
}

}  // namespace
}  // namespace tavik
