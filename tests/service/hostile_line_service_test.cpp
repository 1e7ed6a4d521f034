// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-station on a hostile line: random bytes and runs of group bytes, from
// a fresh start and mixed into the console's groups. No product may carry a
// value that no weather can have.
#include <gtest/gtest.h>

#include <set>

#include "../e2e/hostile_line.h"

namespace tavik {
namespace {

using namespace tavik::e2e;

constexpr int kScale = 120;  // one simulated minute in half a second

TEST(StationServiceHostileLine, PublishesNoImpossibleValueFromNoiseOrGroupBytes) {
  char pattern[] = "/tmp/tavik-hostile-XXXXXX";
  const fs::path dir = mkdtemp(pattern);
  const fs::path link = dir / "console";
  {
    HostileLine line(link, dir);
    writeRaw(dir / "tavout.ini", "[Alles]\r\nComport=" + link.string() +
                                     "\r\nAPRSIntervall=1\r\n[Wetterlog]\r\nLogInterval=60000\r\n");
    Child service({TAVIK_STATION_BINARY, "--folder", dir.string()},
                  {"TAVIK_TIME_SCALE=" + std::to_string(kScale)}, dir / "station.out", dir);
    ASSERT_TRUE(service.started());
    std::this_thread::sleep_for(1s);  // the port open and set up

    // Every version of the APRS file is read while the line runs.
    std::set<std::string> aprsVersions;
    std::thread reader([&, end = std::chrono::steady_clock::now() + 9s] {
      while (std::chrono::steady_clock::now() < end) {
        const std::string frame = rawFile(dir / "aprs.txt");
        if (!frame.empty()) aprsVersions.insert(frame);
        std::this_thread::sleep_for(20ms);
      }
    });
    line.send(1s, HostileLine::Noise::RandomBytes, 20000, 0);
    line.send(1s, HostileLine::Noise::GroupBytes, 20000, 0);
    line.send(3s, HostileLine::Noise::RandomBytes, 20000, 12);
    line.send(3s, HostileLine::Noise::GroupBytes, 20000, 12);
    reader.join();
    EXPECT_EQ(service.stop(5s), 0);
    std::cout << line.noiseSent() << " bytes of noise\n";

    fs::path log;
    for (const auto& e : fs::directory_iterator(dir)) {
      const std::string name = e.path().filename().string();
      if (name.size() == 13 && name[0] == 't' && name.ends_with(".txt")) log = e.path();
    }
    const std::vector<std::string> rows = lines(rawFile(log));
    EXPECT_GE(rows.size(), 6u) << rawFile(dir / "station.out");
    EXPECT_EQ(impossibleInWeatherLog(rows), std::vector<std::string>{});
    EXPECT_GE(aprsVersions.size(), 4u);
    for (const std::string& frame : aprsVersions)
      EXPECT_EQ(impossibleInAprs(frame), std::vector<std::string>{}) << frame;
    // The refusals are told, but at most once a (scaled) minute: 16 in the
    // eight seconds of line.
    const std::string out = rawFile(dir / "station.out");
    EXPECT_GE(countOf(out, "Unmögliche Werte verworfen: Datengruppe "), 1) << out;
    EXPECT_LE(countOf(out, "Unmögliche Werte verworfen: Datengruppe "), 20) << out;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tavik
