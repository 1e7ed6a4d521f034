// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/aprs_is.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "aprs_decoder.h"
#include "temp_folder.h"
#include "upload_servers.h"

namespace tavik {
namespace {

// 2026-12-09 14:05:00 UTC
constexpr std::time_t kMoment = 1796825100;

UploadRecord fullRecord() {
  UploadRecord r;
  r.observedUtc = kMoment;
  PublishedValues& v = r.values;
  v.tempOut = 78;  // 46.04 °F
  v.humOut = 72;
  v.seaLevel = 10132;
  v.windAvgSpeed = 23;  // 5.1 mph
  v.gust5min = 54;      // 12.1 mph
  v.windAvgDir = 180;
  v.rainLastHour = 1;  // mm: 3.9 hundredths of an inch
  v.rain24h = 3;       // 11.8
  v.rainToday = 10;    // 39.4
  return r;
}

// What decode_aprs reads from whole packets, one report per packet.
std::vector<testing::DecodedAprs> decodePackets(const std::string& folder,
                                                const std::vector<std::string>& packets,
                                                std::string& raw) {
  const std::string in = folder + "/packets.txt";
  const std::string out = folder + "/decoded.txt";
  {
    std::ofstream file(in, std::ios::binary);
    for (const std::string& p : packets) file << p << "\n";
  }
  if (std::system(("decode_aprs '" + in + "' > '" + out + "' 2>&1").c_str()) != 0) return {};
  std::ifstream decoded(out, std::ios::binary);
  raw = std::regex_replace(std::string{std::istreambuf_iterator<char>(decoded), {}},
                           std::regex("\x1b\\[[0-9;]*[A-Za-z]"), "");
  std::vector<testing::DecodedAprs> result;
  size_t start = raw.find(packets.front().substr(0, packets.front().find('>') + 1));
  while (start != std::string::npos && result.size() < packets.size()) {
    const std::string& next = packets[std::min(result.size() + 1, packets.size() - 1)];
    const size_t end =
        result.size() + 1 < packets.size() ? raw.find(next, start + 1) : std::string::npos;
    result.push_back(testing::parseDecodedAprs(raw.substr(start, end - start)));
    start = end;
  }
  return result;
}

TEST(AprsIs, CallsignsAndObserverNumbers) {
  EXPECT_EQ(aprsCallsign("dl1abc"), "DL1ABC");
  EXPECT_EQ(aprsCallsign("DL1ABC-13"), "DL1ABC-13");
  EXPECT_EQ(aprsCallsign("DL1ABC-WX"), "DL1ABC-WX");
  EXPECT_EQ(aprsCallsign("CW1234"), "CW1234");
  for (const char* bad : {"", "DLABC", "DL1ABCDE", "DL1ABC-", "DL1ABC-16", "DL1ABC-0", "DL1 ABC",
                          "DL1ABC-1234", "DL1ÄBC", "-1"}) {
    EXPECT_FALSE(aprsCallsign(bad)) << bad;
  }
  EXPECT_TRUE(isObserverNumber("CW1234"));
  EXPECT_TRUE(isObserverNumber("ew9876"));
  EXPECT_FALSE(isObserverNumber("CW"));
  EXPECT_FALSE(isObserverNumber("DL1ABC"));
  EXPECT_FALSE(isObserverNumber("CWOP12"));
}

TEST(AprsIs, LoginLine) {
  EXPECT_EQ(aprsLoginLine("DL1ABC", 1234, "1.2.3"), "user DL1ABC pass 1234 vers Tavik 1.2.3");
}

TEST(AprsIs, LogrespVerdicts) {
  EXPECT_FALSE(aprsLoginVerdict("# aprsc 2.1", true));
  const auto ok = aprsLoginVerdict("# logresp DL1ABC verified, server T2TEST\r\n", true);
  ASSERT_TRUE(ok);
  EXPECT_TRUE(ok->accepted);
  EXPECT_EQ(ok->words, "logresp DL1ABC verified, server T2TEST");
  // A callsign with a wrong passcode is refused; an observer number without
  // one is taken unverified.
  EXPECT_FALSE(aprsLoginVerdict("# logresp DL1ABC unverified, server T2TEST", true)->accepted);
  EXPECT_TRUE(aprsLoginVerdict("# logresp CW1234 unverified, server T2TEST", false)->accepted);
  EXPECT_FALSE(aprsLoginVerdict("# logresp invalid login", false)->accepted);
}

TEST(AprsIs, PositionsFromTheSettingOrTheLocator) {
  EXPECT_EQ(aprsPosition("5030.00n/00800.00e"), "5030.00N/00800.00E");
  EXPECT_EQ(aprsPosition("3352.12S/15112.50W"), "3352.12S/15112.50W");
  EXPECT_EQ(aprsPosition("9000.00N/18000.00E"), "9000.00N/18000.00E");
  for (const char* bad :
       {"5060.00N/00800.00E", "9100.00N/00800.00E", "5030.00N/18100.00E", "5030.00X/00800.00E",
        "5030.00N\\00800.00E", "5030.0N/00800.00E", "9000.01N/00800.00E", "", "JO30XN"}) {
    EXPECT_FALSE(aprsPosition(bad)) << bad;
  }
  EXPECT_EQ(stationPosition("", "JO30XN"), "5033.75N/00757.50E");
  EXPECT_EQ(stationPosition("  ", "JO30XN"), "5033.75N/00757.50E");
  EXPECT_EQ(stationPosition("5030.00N/00800.00E", "JO30XN"), "5030.00N/00800.00E");
  EXPECT_FALSE(stationPosition("", "JO30"));
  EXPECT_FALSE(stationPosition("kaputt", "JO30XN"));
  // Rounded as a whole, so that the minutes carry into the degree.
  EXPECT_EQ(aprsPositionOf(50.999999, 7.9999999), "5100.00N/00800.00E");
  EXPECT_EQ(aprsPositionOf(-33.5, -151.25), "3330.00S/15115.00W");
}

TEST(AprsIs, PacketsAsAnIndependentDecoderReadsThem) {
  ASSERT_TRUE(testing::onPath("decode_aprs"));
  testing::TempFolder folder;
  const UploadRecord full = fullRecord();
  UploadRecord wet = fullRecord();
  wet.values.humOut = 100;
  wet.values.tempOut = -203;      // -4.54 °F
  wet.values.windAvgSpeed = 600;  // 134 mph
  wet.values.rainToday = 300;     // beyond the field: 999
  const std::vector<std::string> packets = {
      cwopPacket("DL1ABC-13", "5030.00N/00800.00E", full, "1.2.3"),
      cwopPacket("DL1ABC-13", "5030.00N/00800.00E", wet, "1.2.3"),
  };
  EXPECT_EQ(packets[0],
            "DL1ABC-13>APRS,TCPIP*:@091405z5030.00N/00800.00E_180/005g012t046r004p012P039h72"
            "b10132Tavik 1.2.3");
  std::string raw;
  const auto d = decodePackets(folder.dir(), packets, raw);
  ASSERT_EQ(d.size(), 2u) << raw;
  EXPECT_EQ(d[0].direction, 180);
  EXPECT_NEAR(d[0].windMph / 1.15078, 5, 0.1);  // read as knots, shown in mph
  EXPECT_EQ(d[0].gustMph, 12);
  EXPECT_EQ(d[0].fahrenheit, 46);
  EXPECT_DOUBLE_EQ(d[0].rainLastHour, 0.04);
  EXPECT_DOUBLE_EQ(d[0].rainLast24h, 0.12);
  EXPECT_DOUBLE_EQ(d[0].rainSinceMidnight, 0.39);
  EXPECT_EQ(d[0].humidity, 72);
  EXPECT_NEAR(d[0].inchesOfMercury, 1013.2 * 0.02953, 0.01);
  // The software tag closes both reports.
  const size_t tag = raw.find("\"Tavik 1.2.3\"");
  EXPECT_NE(tag, std::string::npos) << raw;
  EXPECT_NE(raw.find("\"Tavik 1.2.3\"", tag + 1), std::string::npos) << raw;
  EXPECT_NE(raw.find("N 50 30.0000, E 008 00.0000"), std::string::npos) << raw;
  EXPECT_EQ(d[1].fahrenheit, -5);
  EXPECT_EQ(d[1].humidity, 100);
  EXPECT_NEAR(d[1].windMph / 1.15078, 134, 0.1);
  EXPECT_DOUBLE_EQ(d[1].rainSinceMidnight, 9.99);
}

TEST(AprsIs, AbsentValuesAreDotsOfTheirWidth) {
  UploadRecord r;
  r.observedUtc = kMoment;
  r.values.tempOut = 200;
  EXPECT_EQ(cwopPacket("CW1234", "5030.00N/00800.00E", r, "1"),
            "CW1234>APRS,TCPIP*:@091405z5030.00N/00800.00E_.../...g...t068r...p...P...h..b....."
            "Tavik 1");
}

}  // namespace
}  // namespace tavik
