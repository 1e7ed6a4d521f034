// SPDX-License-Identifier: GPL-3.0-or-later
// tavik (the window, offscreen) on a hostile line: random bytes and runs of
// group bytes, from a fresh start and mixed into the console's groups. No
// product may carry a value that no weather can have, and a flood of group
// bytes does not keep the window from ending. A short run;
// bench/long_checks.cpp makes the same checks on a longer one.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include "hostile_line.h"
#include "temp_folder.h"

namespace tavik {
namespace {

using namespace tavik::e2e;

TEST(ProgramHostileLine, PublishesNoImpossibleValueFromNoiseOrGroupBytes) {
  // A minute in two seconds, as in the long run: the record counts as stale
  // after a scaled minute without a good group, which a busy machine must
  // not reach. Each kind of noise among the groups runs until it has brought
  // a Wetterlog row and an APRS file.
  const ProductsOfHostileLine products = runTavikOnHostileLine(
      TAVIK_BINARY, {.timeScale = 30, .noiseAlone = 500ms, .noiseWithGroups = 0ms});
  ASSERT_TRUE(products.portOpened) << products.output;
  EXPECT_TRUE(products.productsWritten) << products.output;
  EXPECT_EQ(products.exitStatus, 0);
  EXPECT_GE(products.logRows.size(), 3u) << products.output;
  EXPECT_EQ(impossibleInWeatherLog(products.logRows), std::vector<std::string>{});
  EXPECT_GE(products.aprsVersions.size(), 2u);
  for (const std::string& frame : products.aprsVersions)
    EXPECT_EQ(impossibleInAprs(frame), std::vector<std::string>{}) << frame;
  EXPECT_GE(countOf(products.output, "Unmögliche Werte verworfen: Datengruppe "), 1)
      << products.output;
}

double childrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Every start byte of a run of group bytes is a candidate. A flood of them,
// three times what the line holds, is read at the cost of decoding, not of
// redrawing the window for each candidate, and the window ends at once when
// asked to afterwards. What is measured is its processor time, which a busy
// machine does not lengthen: half a second with its start, against 15 s with
// a redraw per candidate.
TEST(ProgramHostileLine, EndsPromptlyAfterAFloodOfGroupBytes) {
  const testing::TempFolder folder;
  const fs::path& dir = folder.path();
  const fs::path link = dir / "console";
  HostileLine line(link, dir);
  const double before = childrenCpuSeconds();
  const std::unique_ptr<Child> program = startTavik(TAVIK_BINARY, dir, link, 1);
  ASSERT_TRUE(line.waitForReader(30s)) << rawFile(dir / "tavik.out");
  EXPECT_TRUE(line.flood(HostileLine::Noise::GroupBytes, 60'000, 30s));
  EXPECT_EQ(program->stop(60s), 0) << rawFile(dir / "tavik.out");
  EXPECT_LT(childrenCpuSeconds() - before, 5.0);
}

}  // namespace
}  // namespace tavik
