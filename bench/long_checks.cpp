// SPDX-License-Identifier: GPL-3.0-or-later
// The long runs of checks the test suite makes on short inputs: hostile byte
// streams and the simulator's clean line through the framer and the
// plausibility check, on full sizes and a sample of seeds, and tavik on a
// hostile line for a longer while. Prints what each run found and its time,
// and exits with 1 when any check fails.
//
// Usage: long-checks [streams|line|all]   (default all)
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "hostile_line.h"
#include "stream_checks.h"

namespace {

using namespace tavik;
using namespace std::chrono_literals;

int failures = 0;

void check(bool ok, const std::string& what) {
  if (ok) return;
  ++failures;
  std::printf("FAILED: %s\n", what.c_str());
}

template <typename Run>
void timed(const char* name, Run run) {
  const auto start = std::chrono::steady_clock::now();
  run();
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("%s: %.1f s\n", name, took.count());
}

// 1 MB of each kind of noise on each of five seeds.
void hostileStreams() {
  for (uint64_t seed = 17; seed < 22; ++seed) {
    for (const streams::HostileRun& run : streams::hostileRuns(1'000'000, seed)) {
      const std::string what = run.name + ", seed " + std::to_string(seed);
      std::printf("%s: %llu right checksums, %u refused, %llu entered\n", what.c_str(),
                  static_cast<unsigned long long>(run.rightChecksums), run.refusals,
                  static_cast<unsigned long long>(run.entered));
      check(run.impossible.empty(),
            what + ": impossible value " + (run.impossible.empty() ? "" : run.impossible.front()));
      check(run.rightChecksums > 50, what + ": too few chance candidates");
      check(run.refusals > 0, what + ": nothing refused");
      check(run.takenAgain, what + ": real data not taken again");
    }
  }
}

// Some six days of the seed with a front, a storm and a cloudburst, and as
// long on seven more seeds, whose weather may be calmer.
void cleanLines() {
  for (uint64_t seed = 1; seed <= 8; ++seed) {
    const streams::CleanRun run = streams::cleanRun(seed, 300'000);
    const std::string what = "clean line, seed " + std::to_string(seed);
    std::printf("%s: strongest wind %.1f m/s, highest rain rate %d mm/h, fastest fall %.1f\n",
                what.c_str(), run.maxWind / 10.0, run.maxRate, run.fastestFall / 10.0);
    check(run.checksumsRight, what + ": a wrong checksum");
    check(run.refused == std::array<uint32_t, 5>{}, what + ": a genuine group refused");
    check(run.entered == run.groups - 5, what + ": a group did not enter");
    if (seed == 4) {
      check(run.maxWind >= 250 && run.maxRate >= 80 && run.fastestFall >= 50,
            what + ": the weather lacked its extremes");
    }
  }
}

// tavik on the hostile line as long as the test ran it before: 14 s of line.
void programOnHostileLine() {
  const e2e::ProductsOfHostileLine products = e2e::runTavikOnHostileLine(
      TAVIK_BINARY, {.timeScale = 30, .noiseAlone = 1s, .noiseWithGroups = 6s});
  std::printf("tavik on a hostile line: %zu Wetterlog lines, %zu APRS versions\n",
              products.logRows.size(), products.aprsVersions.size());
  check(products.portOpened, "tavik did not open the line");
  check(products.productsWritten, "a kind of noise brought no Wetterlog row or APRS file");
  check(products.exitStatus == 0, "tavik ended with " + std::to_string(products.exitStatus));
  check(products.logRows.size() >= 4, "too few Wetterlog rows");
  for (const std::string& v : e2e::impossibleInWeatherLog(products.logRows))
    check(false, "Wetterlog: " + v);
  check(products.aprsVersions.size() >= 2, "too few APRS versions");
  for (const std::string& frame : products.aprsVersions)
    for (const std::string& v : e2e::impossibleInAprs(frame)) check(false, "APRS: " + v);
  check(e2e::countOf(products.output, "Unmögliche Werte verworfen: Datengruppe ") >= 1,
        "no refusal told");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string which = argc > 1 ? argv[1] : "all";
  if (which != "all" && which != "streams" && which != "line") {
    std::fprintf(stderr, "usage: long-checks [streams|line|all]\n");
    return 2;
  }
  if (which != "line") {
    timed("hostile streams", hostileStreams);
    timed("clean lines", cleanLines);
  }
  if (which != "streams") timed("tavik on a hostile line", programOnHostileLine);
  std::printf("%d failed checks\n", failures);
  return failures == 0 ? 0 : 1;
}
