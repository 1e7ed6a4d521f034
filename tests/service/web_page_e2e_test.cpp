// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-station writes the web folder on its own timer, against the simulator
// on a pseudo-terminal with an accelerated clock; a hostile page title stays
// text.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <regex>
#include <string>

#include "../e2e/program_process.h"

namespace tavik {
namespace {

using namespace tavik::e2e;

constexpr int kScale = 120;  // one simulated minute in half a second

class WebPageServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavik-web-XXXXXX";
    dir_ = mkdtemp(pattern);
    sim_ = startSimulator(dir_ / "console", dir_, kScale);
    ASSERT_NE(sim_, nullptr);
  }
  void TearDown() override {
    service_.reset();
    sim_.reset();
    fs::remove_all(dir_);
  }

  fs::path dir_;
  std::unique_ptr<Child> sim_;
  std::unique_ptr<Child> service_;
};

TEST_F(WebPageServiceTest, WritesThePageAndTheJsonEveryMinuteWithTheTitleAsText) {
  // The title in the file's Windows-1252: "</title><script>"x"</script> Köln".
  writeRaw(dir_ / "tavout.ini",
           "[Alles]\r\nComport=" + (dir_ / "console").string() +
               "\r\nAPRSIntervall=0\r\n[Wetterlog]\r\nLogInterval=60000\r\n"
               "[Web]\r\nWebIntervall=1\r\nWebTitel=</title><script>\"x\"</script> K\xf6ln\r\n");
  service_ = std::make_unique<Child>(
      std::vector<std::string>{TAVIK_STATION_BINARY, "--folder", dir_.string()},
      std::vector<std::string>{"TAVIK_TIME_SCALE=" + std::to_string(kScale)}, dir_ / "station.out",
      fs::temp_directory_path());
  ASSERT_TRUE(service_->started());

  const fs::path page = dir_ / "web" / "index.html";
  const fs::path json = dir_ / "web" / "current.json";
  ASSERT_TRUE(waitFor([&] { return fs::exists(page) && fs::exists(json); }, 60s))
      << rawFile(dir_ / "station.out");
  const std::string first = rawFile(json);
  // The page is rewritten on the next simulated minutes.
  EXPECT_TRUE(waitFor([&] { return rawFile(json) != first; }, 30s));
  EXPECT_EQ(service_->stop(5s), 0);
  EXPECT_TRUE(rawFile(dir_ / "station.out").empty()) << rawFile(dir_ / "station.out");

  const std::string html = rawFile(page);
  EXPECT_EQ(html.find("<script"), std::string::npos);
  EXPECT_NE(html.find("<title>&lt;/title&gt;&lt;script&gt;&quot;x&quot;&lt;/script&gt; K\xc3\xb6ln"
                      "</title>"),
            std::string::npos);
  const std::string current = rawFile(json);
  EXPECT_NE(current.find(R"("station":"</title><script>\"x\"</script> K)"
                         "\xc3\xb6ln\""),
            std::string::npos)
      << current;
  EXPECT_NE(current.find(R"("stale":false)"), std::string::npos) << current;
  EXPECT_TRUE(std::regex_search(current, std::regex(R"("temperature":\{"outdoor":-?[0-9.]+,)")))
      << current;
  // The Wetterlog rows of the run joined the history: the day's extremes exist.
  EXPECT_TRUE(std::regex_search(current, std::regex(R"("max":-?[0-9.]+,"maxTime":"20)")))
      << current;
  EXPECT_FALSE(fs::exists(dir_ / "web" / "index.html.tmp"));
}

}  // namespace
}  // namespace tavik
