// SPDX-License-Identifier: GPL-3.0-or-later
// tavik (the window, offscreen) on a hostile line: random bytes and runs of
// group bytes, from a fresh start and mixed into the console's groups. No
// product may carry a value that no weather can have.
#include <gtest/gtest.h>

#include <set>

#include "hostile_line.h"

namespace tavik {
namespace {

using namespace tavik::e2e;

TEST(ProgramHostileLine, PublishesNoImpossibleValueFromNoiseOrGroupBytes) {
  char pattern[] = "/tmp/tavik-hostile-XXXXXX";
  const fs::path dir = mkdtemp(pattern);
  fs::copy_file(TAVIK_BINARY, dir / "tavik");
  const fs::path link = dir / "console";
  {
    HostileLine line(link, dir);
    writeRaw(
        dir / "tavout.ini",
        "[Alles]\r\nComport=" + link.string() +
            "\r\nActiveAtStratup=1\r\nAPRSIntervall=1\r\n[Wetterlog]\r\nLogInterval=60000\r\n");
    Child program({(dir / "tavik").string()}, {"QT_QPA_PLATFORM=offscreen", "TAVIK_TIME_SCALE=30"},
                  dir / "tavik.out", fs::temp_directory_path());
    ASSERT_TRUE(program.started());
    std::this_thread::sleep_for(2s);  // the window up and the port open
    // The window refreshes at every candidate, good or bad, so the clock runs
    // slower here (a minute in two seconds), one group goes out every 50 ms
    // and the noise has the line's own rate, about 1000 bytes a second.

    std::set<std::string> aprsVersions;
    std::thread reader([&, end = std::chrono::steady_clock::now() + 15s] {
      while (std::chrono::steady_clock::now() < end) {
        const std::string frame = rawFile(dir / "aprs.txt");
        if (!frame.empty()) aprsVersions.insert(frame);
        std::this_thread::sleep_for(20ms);
      }
    });
    line.send(1s, HostileLine::Noise::RandomBytes, 50, 0);
    line.send(1s, HostileLine::Noise::GroupBytes, 50, 0);
    line.send(6s, HostileLine::Noise::RandomBytes, 50, 1);
    line.send(6s, HostileLine::Noise::GroupBytes, 50, 1);
    reader.join();
    EXPECT_EQ(program.stop(), 0);

    fs::path log;
    for (const auto& e : fs::directory_iterator(dir)) {
      const std::string name = e.path().filename().string();
      if (name.size() == 13 && name[0] == 't' && name.ends_with(".txt")) log = e.path();
    }
    const std::vector<std::string> rows = lines(rawFile(log));
    EXPECT_GE(rows.size(), 4u) << rawFile(log) << rawFile(dir / "tavik.out");
    EXPECT_EQ(impossibleInWeatherLog(rows), std::vector<std::string>{});
    EXPECT_GE(aprsVersions.size(), 2u);
    for (const std::string& frame : aprsVersions)
      EXPECT_EQ(impossibleInAprs(frame), std::vector<std::string>{}) << frame;
    const std::string out = rawFile(dir / "tavik.out");
    EXPECT_GE(countOf(out, "Unmögliche Werte verworfen: Datengruppe "), 1) << out;
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tavik
