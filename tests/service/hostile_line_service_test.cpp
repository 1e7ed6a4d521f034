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
    // Twelve groups every 50 ms: 25 s of line before the groups come again.
    HostileLine line(link, dir, 6000);
    writeRaw(dir / "tavout.ini", "[Alles]\r\nComport=" + link.string() +
                                     "\r\nAPRSIntervall=1\r\n[Wetterlog]\r\nLogInterval=60000\r\n");
    const auto start = std::chrono::steady_clock::now();
    Child service({TAVIK_STATION_BINARY, "--folder", dir.string()},
                  {"TAVIK_TIME_SCALE=" + std::to_string(kScale)}, dir / "station.out", dir);
    ASSERT_TRUE(service.started());
    ASSERT_TRUE(line.waitForReader(30s)) << rawFile(dir / "station.out");

    // Every version of the APRS file is read while the line runs. Each kind
    // of noise among the groups runs until it has brought three Wetterlog
    // lines and two APRS files.
    std::set<std::string> aprsVersions;
    ProductWatch watch(dir, dir / "station.out", aprsVersions);
    EXPECT_TRUE(sendNoise(
        line, watch,
        {.alone = 500ms, .noiseBytes = 20000, .groups = 12, .logLines = 3, .aprsFiles = 2}))
        << rawFile(dir / "station.out");
    EXPECT_EQ(service.stop(5s), 0);
    const std::chrono::duration<double> ran = std::chrono::steady_clock::now() - start;
    std::cout << line.noiseSent() << " bytes of noise in " << ran.count() << " s\n";

    const std::vector<std::string> rows = lines(rawFile(weatherLogIn(dir)));
    EXPECT_GE(rows.size(), 6u) << rawFile(dir / "station.out");
    EXPECT_EQ(impossibleInWeatherLog(rows), std::vector<std::string>{});
    EXPECT_GE(aprsVersions.size(), 4u);
    for (const std::string& frame : aprsVersions)
      EXPECT_EQ(impossibleInAprs(frame), std::vector<std::string>{}) << frame;
    // The refusals are told, but at most once a (scaled) minute of the run.
    const std::string out = rawFile(dir / "station.out");
    const double minutes = ran.count() * kScale / 60;
    EXPECT_GE(countOf(out, "Unmögliche Werte verworfen: Datengruppe "), 1) << out;
    EXPECT_LE(countOf(out, "Unmögliche Werte verworfen: Datengruppe "), minutes + 4) << out;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tavik
