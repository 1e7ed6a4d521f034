// SPDX-License-Identifier: GPL-3.0-or-later
// A hundred thousand simulated groups through the framer, held against the truth the
// simulator writes: on a clean line every group comes out once and good; on a
// line with noise and damaged checksums every group comes out with its true
// verdict, except those overlapped by a noise candidate that passed its
// checksum by chance.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "station/group_framer.h"
#include "tool_process.h"

namespace tavik {
namespace {

constexpr uint64_t kGroups = 100'000;

struct TruthGroup {
  uint64_t offset = 0;
  GroupKind kind = GroupKind::G8F;
  bool ok = true;
  uint64_t noiseAt = 0;
  uint64_t noiseLength = 0;
};

struct Line {
  std::string bytes;
  std::vector<TruthGroup> truth;
};

TruthGroup parseTruth(const std::string& line) {
  TruthGroup g;
  unsigned long long offset = 0, noiseAt = 0, noiseLength = 0;
  unsigned kind = 0;
  char verdict[4] = {};
  char noise[32] = {};
  if (std::sscanf(line.c_str(), "%llu %2X %3s %31s", &offset, &kind, verdict, noise) != 4)
    throw std::runtime_error("bad truth line: " + line);
  g.offset = offset;
  g.kind = static_cast<GroupKind>(kind);
  g.ok = std::string(verdict) == "ok";
  if (std::string(noise) != "-") {
    if (std::sscanf(noise, "%llu+%llu", &noiseAt, &noiseLength) != 2)
      throw std::runtime_error("bad noise in truth line: " + line);
    g.noiseAt = noiseAt;
    g.noiseLength = noiseLength;
  }
  return g;
}

// Runs tavik-sim for `kGroups` groups with noise and damaged checksums and
// reads what it sent and its truth.
Line simulateWornLine() {
  const test::TempDir dir;
  const std::string bytes = dir / "line.bin", truth = dir / "line.truth";
  const test::ToolResult r =
      test::runTool({TAVIK_SIM_EXE, "--seed", "5", "--count", std::to_string(kGroups), "--out",
                     bytes, "--truth=" + truth, "--noise=0.05", "--bad-checksums", "0.05"});
  if (r.status != 0) throw std::runtime_error("tavik-sim failed: " + r.err);
  Line line;
  line.bytes = test::readWholeFile(bytes);
  std::ifstream in(truth);
  for (std::string text; std::getline(in, text);) line.truth.push_back(parseTruth(text));
  return line;
}

// The same groups on a clean line: without the noise, every checksum right.
// The simulator draws noise and damage apart from the weather, so this is
// the line it sends without --noise and --bad-checksums.
Line cleanedLine(const Line& worn) {
  Line clean;
  clean.bytes.reserve(worn.bytes.size());
  for (const TruthGroup& g : worn.truth) {
    TruthGroup c{.offset = clean.bytes.size(), .kind = g.kind};
    const size_t length = static_cast<size_t>(groupLength(g.kind));
    std::string group = worn.bytes.substr(g.offset, length);
    group.back() = static_cast<char>(
        groupChecksum(std::span(reinterpret_cast<const uint8_t*>(group.data()), length - 1)));
    clean.bytes += group;
    clean.truth.push_back(c);
  }
  return clean;
}

// Both lines are made once for all tests.
class SimTruth : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    worn_ = new Line(simulateWornLine());
    clean_ = new Line(cleanedLine(*worn_));
  }
  static void TearDownTestSuite() {
    delete clean_;
    delete worn_;
  }

  static inline Line* clean_ = nullptr;
  static inline Line* worn_ = nullptr;
};

struct Tally {
  uint64_t delivered = 0;          // truth groups delivered once with their verdict
  uint64_t lost = 0;               // truth groups never delivered
  uint64_t lostToChance = 0;       // ... of which a chance candidate from the noise took the bytes
  uint64_t repeated = 0;           // truth groups delivered more than once
  uint64_t wrongVerdict = 0;       // truth groups delivered with the other verdict
  uint64_t chanceInNoise = 0;      // accepted, not in the truth, starting in noise
  uint64_t falseElsewhere = 0;     // accepted, not in the truth, starting elsewhere
  uint64_t rejectedElsewhere = 0;  // rejected candidates that are not a sent group
  friend bool operator==(const Tally&, const Tally&) = default;
};

std::ostream& operator<<(std::ostream& out, const Tally& t) {
  return out << "delivered " << t.delivered << ", lost " << t.lost << " (to chance "
             << t.lostToChance << "), repeated " << t.repeated << ", wrong verdict "
             << t.wrongVerdict << ", chance candidates in noise " << t.chanceInNoise
             << ", false elsewhere " << t.falseElsewhere << ", rejected candidates "
             << t.rejectedElsewhere;
}

bool inNoise(const std::vector<TruthGroup>& truth, uint64_t offset) {
  // The noise before the first group that starts after `offset`.
  const auto next =
      std::upper_bound(truth.begin(), truth.end(), offset,
                       [](uint64_t at, const TruthGroup& g) { return at < g.offset; });
  return next != truth.end() && next->noiseLength > 0 && offset >= next->noiseAt;
}

Tally frame(const Line& line, size_t chunk) {
  const std::vector<TruthGroup>& truth = line.truth;
  std::vector<uint8_t> times(truth.size(), 0);
  std::vector<std::pair<uint64_t, uint64_t>> chanceSpans;
  Tally t;
  GroupFramer framer;
  auto it = truth.begin();  // candidates come in stream order
  framer.setHandler([&](const GroupFramer::Candidate& c) {
    while (it != truth.end() && it->offset < c.offset) ++it;
    if (it != truth.end() && it->offset == c.offset && it->kind == c.kind) {
      if (it->ok == c.checksumOk)
        ++times[static_cast<size_t>(it - truth.begin())];
      else
        ++t.wrongVerdict;
    } else if (!c.checksumOk) {
      ++t.rejectedElsewhere;
    } else if (inNoise(truth, c.offset)) {
      ++t.chanceInNoise;
      chanceSpans.emplace_back(c.offset, c.offset + c.body.size() + 1);
    } else {
      ++t.falseElsewhere;
    }
  });
  const auto* bytes = reinterpret_cast<const uint8_t*>(line.bytes.data());
  for (size_t at = 0; at < line.bytes.size(); at += chunk)
    framer.feed(std::span(bytes + at, std::min(chunk, line.bytes.size() - at)));

  for (size_t i = 0; i < truth.size(); ++i) {
    if (times[i] == 1) ++t.delivered;
    if (times[i] > 1) ++t.repeated;
    if (times[i] != 0) continue;
    ++t.lost;
    const uint64_t begin = truth[i].offset;
    const uint64_t end = begin + static_cast<uint64_t>(groupLength(truth[i].kind));
    t.lostToChance += std::any_of(chanceSpans.begin(), chanceSpans.end(),
                                  [&](const auto& s) { return s.first < end && s.second > begin; });
  }
  return t;
}

TEST_F(SimTruth, CleanLineDeliversEveryGroupOnceAndGood) {
  ASSERT_EQ(clean_->truth.size(), kGroups);
  for (size_t chunk : {size_t{1}, size_t{7}, size_t{1024}}) {
    const Tally t = frame(*clean_, chunk);
    std::cout << "clean line, chunks of " << chunk << ": " << t << '\n';
    EXPECT_EQ(t, (Tally{.delivered = kGroups})) << "chunks of " << chunk << ": " << t;
  }
}

TEST_F(SimTruth, WornLineLosesOnlyWhatChanceCandidatesFromTheNoiseTake) {
  const Line& line = *worn_;
  ASSERT_EQ(line.truth.size(), kGroups);
  const auto noisy = std::count_if(line.truth.begin(), line.truth.end(),
                                   [](const TruthGroup& g) { return g.noiseLength > 0; });
  const auto damaged = std::count_if(line.truth.begin(), line.truth.end(),
                                     [](const TruthGroup& g) { return !g.ok; });
  EXPECT_NEAR(static_cast<double>(noisy) / kGroups, 0.05, 0.005);
  EXPECT_NEAR(static_cast<double>(damaged) / kGroups, 0.05, 0.005);

  const Tally first = frame(line, 1);
  std::cout << "worn line, chunks of 1: " << first << '\n';
  EXPECT_EQ(first.lost, first.lostToChance) << first;
  EXPECT_EQ(first.delivered + first.lost, kGroups) << first;
  EXPECT_EQ(first.repeated, 0u);
  EXPECT_EQ(first.wrongVerdict, 0u);
  EXPECT_EQ(first.falseElsewhere, 0u);
  // About one noise candidate in 256 passes by chance; each takes at most
  // two groups' bytes.
  EXPECT_LE(first.chanceInNoise, 100u);
  EXPECT_LE(first.lost, 2 * first.chanceInNoise);
  for (size_t chunk : {size_t{7}, size_t{1024}}) {
    EXPECT_EQ(frame(line, chunk), first) << "chunks of " << chunk;
  }
}

}  // namespace
}  // namespace tavik
