// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-sim's command line: both option spellings, help, version, refusals.
#include "sim/sim_command_line.h"

#include <gtest/gtest.h>

#include "common/command_line.h"
#include "common/version.h"
#include "tool_process.h"

namespace tavik {
namespace {

SimCommandLine parse(std::vector<std::string> args) {
  args.insert(args.begin(), "tavik-sim");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  return parseSimCommandLine(static_cast<int>(args.size()), argv.data());
}

TEST(SimCommandLine, ValuesTakeBothSpellings) {
  const SimCommandLine apart = parse(
      {"--seed", "9", "--noise", "0.25", "--out", "x.bin", "--count", "12", "--truth", "t.txt"});
  const SimCommandLine joined =
      parse({"--seed=9", "--noise=0.25", "--out=x.bin", "--count=12", "--truth=t.txt"});
  for (const SimCommandLine* c : {&apart, &joined}) {
    EXPECT_EQ(c->simulator.seed, 9u);
    EXPECT_EQ(c->simulator.noise, 0.25);
    EXPECT_EQ(c->out, "x.bin");
    EXPECT_EQ(c->count, 12u);
    EXPECT_EQ(c->truth, "t.txt");
    EXPECT_FALSE(c->help || c->version);
  }
  EXPECT_EQ(parse({"--history", "seed.txt"}).history, "seed.txt");
  const SimCommandLine clock = parse({"--clock=2026-12-09T14:30"});
  EXPECT_EQ(clock.clock, (LocalDateTime{2026, 12, 9, 14, 30, 0}));
  EXPECT_FALSE(parse({}).clock);  // the PC clock
  EXPECT_TRUE(parse({"-h"}).help);
  EXPECT_TRUE(parse({"--version"}).version);
  // A second command line in the same process starts afresh.
  EXPECT_FALSE(parse({}).help);
}

TEST(SimCommandLine, RefusesWhatItCannotRunWith) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--seed"},
                                             {"--seed="},
                                             {"--help=yes"},
                                             {"-x"},
                                             {"--frobnicate"},
                                             {"stray"},
                                             {"--truth="},
                                             {"--history="},
                                             {"--clock", "2026-02-30T10:00"},
                                             {"--clock", "morgen"},
                                             {"--out", "a", "--link", "b"}}) {
    SCOPED_TRACE(args.front());
    EXPECT_THROW(parse(args), UsageError);
  }
}

TEST(TavikSimProgram, AnswersHelpAndVersionAndShowsTheUsageOnBadArguments) {
  const test::ToolResult help = test::runTool({TAVIK_SIM_EXE, "--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Aufruf: tavik-sim")) << help.out;
  EXPECT_EQ(help.err, "");

  const test::ToolResult version = test::runTool({TAVIK_SIM_EXE, "--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("tavik-sim ") + TAVIK_VERSION + "\n");

  const test::ToolResult bad = test::runTool({TAVIK_SIM_EXE, "--count=many"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_TRUE(bad.err.starts_with("tavik-sim: --count: keine Zahl: 'many'\nAufruf: tavik-sim"))
      << bad.err;
}

TEST(TavikSimProgram, TruthListsEveryGroupWithItsNoise) {
  const test::TempDir dir;
  const std::string out = dir / "line.bin", truth = dir / "truth.txt";
  const test::ToolResult r =
      test::runTool({TAVIK_SIM_EXE, "--out", out, "--count=600", "--truth", truth, "--seed=5",
                     "--noise", "0.3", "--bad-checksums=0.3"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string bytes = test::readWholeFile(out);
  const std::vector<std::string> rows = test::lines(test::readWholeFile(truth));
  ASSERT_EQ(rows.size(), 600u);
  size_t expectedAt = 0;
  int bad = 0, noisy = 0;
  for (const std::string& row : rows) {
    unsigned long long at = 0, noiseAt = 0, noiseLength = 0;
    unsigned kind = 0;
    char verdict[4] = {}, noise[32] = {};
    ASSERT_EQ(std::sscanf(row.c_str(), "%llu %2X %3s %31s", &at, &kind, verdict, noise), 4) << row;
    if (std::string(noise) != "-") {
      ASSERT_EQ(std::sscanf(noise, "%llu+%llu", &noiseAt, &noiseLength), 2) << row;
      EXPECT_EQ(noiseAt, expectedAt) << row;
      EXPECT_EQ(noiseAt + noiseLength, at) << row;
      ++noisy;
    } else {
      EXPECT_EQ(at, expectedAt) << row;
    }
    ASSERT_LT(at, bytes.size());
    EXPECT_EQ(static_cast<uint8_t>(bytes[at]), kind) << row;
    const auto length = static_cast<size_t>(groupLength(static_cast<GroupKind>(kind)));
    const auto* group = reinterpret_cast<const uint8_t*>(bytes.data() + at);
    const bool ok = groupChecksum(std::span(group, length - 1)) == group[length - 1];
    EXPECT_EQ(std::string(verdict), ok ? "ok" : "bad") << row;
    bad += !ok;
    expectedAt = at + length;
  }
  EXPECT_EQ(expectedAt, bytes.size());
  EXPECT_GT(bad, 100);
  EXPECT_GT(noisy, 100);
}

}  // namespace
}  // namespace tavik
