// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-dump and tavik-sim run as programs on capture files.
#include <gtest/gtest.h>

#include "common/version.h"
#include "dump/group_line.h"
#include "dump/record_fields.h"
#include "sim/console_simulator.h"
#include "sim/group_encoder.h"
#include "sim/weather_model.h"
#include "station/group_stream.h"
#include "tool_process.h"

namespace tavik {
namespace {

// The console clock of every simulated capture, the same for the tool and its
// in-process copy.
const LocalDateTime kSimClock{2026, 10, 11, 6, 20, 0};

using test::lines;
using test::runTool;

void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

// The line tavik-dump prints for the group `stream` just handed over: the
// fields as decoded, and the refused fields of a group the check refused.
std::string expectedLine(const GroupStream& stream, const StationData& data, GroupKind kind,
                         bool ok, bool json) {
  const StationData& decoded = stream.lastDecoded();
  const PlausibilityCheck::Judgement& j = stream.lastJudgement();
  const bool refused = ok && j.verdict == PlausibilityCheck::Verdict::Refused;
  return formatGroupLine(
      kind, data.verdicts.text(kind),
      ok ? groupFields(kind, decoded.weather, decoded.state) : std::vector<RecordField>{}, json,
      refused ? &j.refusedFields : nullptr);
}

// What tavik-dump should print for the simulator's first `count` groups,
// decoded one byte at a time (so in stream order).
std::vector<std::string> expectedLines(uint64_t seed, double badChecksums, int count, bool json) {
  SimulatorOptions o;
  o.seed = seed;
  o.badChecksums = badChecksums;
  o.clockStart = WeatherModel::secondOfYear(kSimClock);
  ConsoleSimulator sim(o);
  StationData data;
  GroupStream stream(data);
  std::vector<std::string> out;
  stream.setGroupHandler(
      [&](GroupKind kind, bool ok) { out.push_back(expectedLine(stream, data, kind, ok, json)); });
  for (int i = 0; i < count; ++i) {
    for (uint8_t b : sim.next().bytes) stream.feed(std::span(&b, 1));
  }
  return out;
}

TEST(TavikDump, PrintsOneJsonObjectPerGroupOfASimulatorCapture) {
  test::TempDir dir;
  const std::string capture = dir / "capture.bin";
  const test::ToolResult sim =
      runTool({TAVIK_SIM_EXE, "--out", capture, "--count", "40", "--seed", "6", "--bad-checksums",
               "0.2", "--clock", "2026-10-11T06:20:00"});
  ASSERT_EQ(sim.status, 0) << sim.err;
  EXPECT_EQ(sim.out, "");

  const test::ToolResult dump = runTool({TAVIK_DUMP_EXE, "--json", "--chunk", "1", capture});
  ASSERT_EQ(dump.status, 0) << dump.err;
  const std::vector<std::string> got = lines(dump.out);
  EXPECT_EQ(got, expectedLines(6, 0.2, 40, true));
  // Checksum and flag bytes equal to a group byte start false groups too.
  ASSERT_GE(got.size(), 40u);
  for (const std::string& line : got) {
    EXPECT_TRUE(line.starts_with("{\"group\":\"")) << line;
    EXPECT_TRUE(line.ends_with("}")) << line;
  }

  // The same capture in big chunks from standard input gives the same groups,
  // whatever the chunk size.
  const test::ToolResult piped = runTool({TAVIK_DUMP_EXE, "--json", "-"}, capture);
  ASSERT_EQ(piped.status, 0) << piped.err;
  std::vector<std::string> sortedPiped = lines(piped.out), sortedExpected = got;
  std::sort(sortedPiped.begin(), sortedPiped.end());
  std::sort(sortedExpected.begin(), sortedExpected.end());
  EXPECT_EQ(sortedPiped, sortedExpected);
}

// The simulator paces a pipe; the dump prints each group as it arrives.
// Large reads hand the framer the same pieces as before: every piece of a
// file has exactly --chunk bytes, also across the reads' block boundaries.
TEST(TavikDump, BlocksOfAFileReachTheFramerInChunkPieces) {
  // Groups, then silence up to just before 1 MiB, then groups again: a
  // reader that cut its pieces at 1 MiB blocks would split them there.
  SimulatorOptions o;
  o.seed = 4;
  ConsoleSimulator sim(o);
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 40; ++i) {
    if (i == 20) bytes.resize((1 << 20) - 400, 0);
    const std::vector<uint8_t> group = sim.next().bytes;
    bytes.insert(bytes.end(), group.begin(), group.end());
  }
  test::TempDir dir;
  const std::string capture = dir / "capture.bin";
  writeFile(capture, bytes);
  const size_t chunk = 333333;
  StationData data;
  GroupStream stream(data);
  std::vector<std::string> expected;
  stream.setGroupHandler([&](GroupKind kind, bool ok) {
    expected.push_back(expectedLine(stream, data, kind, ok, true));
  });
  for (size_t at = 0; at < bytes.size(); at += chunk)
    stream.feed(std::span(bytes).subspan(at, std::min(chunk, bytes.size() - at)));

  const test::ToolResult r = runTool({TAVIK_DUMP_EXE, "--json", "--chunk=333333", capture});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(lines(r.out), expected);
  EXPECT_GE(expected.size(), 40u);
}

TEST(TavikDump, MarksTheGroupsThePlausibilityCheckRefusesAndKeepsTheirFields) {
  WeatherModel model(3);
  WeatherRecord impossible = model.record();
  impossible.Clock.Hour = 25;
  std::vector<uint8_t> bytes;
  for (const WeatherRecord& w : {model.record(), model.record(), impossible}) {
    const std::vector<uint8_t> group = encodeGroup(GroupKind::G8F, w);
    bytes.insert(bytes.end(), group.begin(), group.end());
  }
  test::TempDir dir;
  const std::string capture = dir / "capture.bin";
  writeFile(capture, bytes);

  const test::ToolResult json = runTool({TAVIK_DUMP_EXE, "--json", capture});
  ASSERT_EQ(json.status, 0) << json.err;
  const std::vector<std::string> got = lines(json.out);
  ASSERT_EQ(got.size(), 3u) << json.out;
  EXPECT_EQ(got[0].find("plausible"), std::string::npos) << got[0];  // waits, not refused
  EXPECT_EQ(got[1].find("plausible"), std::string::npos) << got[1];
  EXPECT_NE(got[2].find("\"verdict\":\"OK!\""), std::string::npos) << got[2];
  EXPECT_NE(got[2].find("\"Clock.Hour\":25,"), std::string::npos) << got[2];
  EXPECT_TRUE(got[2].ends_with("},\"plausible\":false,\"refused\":[\"Clock.Hour\"]}")) << got[2];

  const test::ToolResult text = runTool({TAVIK_DUMP_EXE, capture});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_TRUE(lines(text.out).at(2).ends_with(" unplausibel: Clock.Hour")) << text.out;
}

TEST(TavikDump, AnswersHelpAndVersion) {
  for (const char* option : {"--help", "-h"}) {
    const test::ToolResult help = runTool({TAVIK_DUMP_EXE, option});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Aufruf: tavik-dump")) << help.out;
  }
  for (const char* option : {"--version", "-V"}) {
    const test::ToolResult version = runTool({TAVIK_DUMP_EXE, option});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "tavik-dump " TAVIK_VERSION "\n");
    EXPECT_EQ(version.err, "");
  }
}

TEST(TavikDump, ReadsTheSimulatorThroughAPipe) {
  const std::string pipeline = std::string(TAVIK_SIM_EXE) +
                               " --out - --speed 2000 --count 30 --seed 2 | " + TAVIK_DUMP_EXE +
                               " --json -";
  const test::ToolResult r = runTool({"/bin/sh", "-c", pipeline});
  ASSERT_EQ(r.status, 0) << r.err;
  int good = 0;
  for (const std::string& line : lines(r.out))
    good += line.find(R"("verdict":"OK!")") != std::string::npos;
  EXPECT_EQ(good, 30);
}

TEST(TavikDump, JsonAndTextShowVerdictsAndFieldValues) {
  test::TempDir dir;
  WeatherRecord w;
  w.TempIn.Current = -312;
  w.TempIn.AlarmHi = 104;
  std::vector<uint8_t> bytes = encodeGroup(GroupKind::G9F, w);
  std::vector<uint8_t> bad = encodeGroup(GroupKind::G8F, w);
  corruptChecksum(bad);
  bytes.insert(bytes.begin(), {0x00, 0x12});  // noise before the groups
  bytes.insert(bytes.end(), bad.begin(), bad.end());
  writeFile(dir / "two.bin", bytes);

  const test::ToolResult json =
      runTool({TAVIK_DUMP_EXE, "--json", "--chunk", "7", dir / "two.bin"});
  ASSERT_EQ(json.status, 0) << json.err;
  const std::vector<std::string> got = lines(json.out);
  ASSERT_EQ(got.size(), 2u);
  EXPECT_TRUE(
      got[0].starts_with(R"({"group":"9F","verdict":"OK!","fields":{"TempIn.Current":-312,)"))
      << got[0];
  EXPECT_NE(got[0].find(R"("TempIn.AlarmHi":104,)"), std::string::npos);
  EXPECT_NE(got[0].find(R"("TempIn.Positive":false,)"), std::string::npos);
  EXPECT_TRUE(got[0].ends_with(R"("TempFlag":false}})"));
  EXPECT_EQ(got[1], R"({"group":"8F","verdict":"False"})");

  const test::ToolResult text = runTool({TAVIK_DUMP_EXE, "--chunk", "1", dir / "two.bin"});
  ASSERT_EQ(text.status, 0) << text.err;
  const std::vector<std::string> readable = lines(text.out);
  ASSERT_EQ(readable.size(), 2u);
  EXPECT_TRUE(readable[0].starts_with("9F OK! TempIn.Current=-312 ")) << readable[0];
  EXPECT_NE(readable[0].find(" TempIn.Positive=false "), std::string::npos);
  EXPECT_EQ(readable[1], "8F False");
}

TEST(TavikDump, RefusesWhatItCannotReadWithStatusTwo) {
  test::TempDir dir;
  const std::vector<std::vector<std::string>> cases = {
      {TAVIK_DUMP_EXE},
      {TAVIK_DUMP_EXE, (dir / "missing.bin").string()},
      {TAVIK_DUMP_EXE, dir.path().string()},  // a folder
      {TAVIK_DUMP_EXE, "--chunk", "0", "-"},
      {TAVIK_DUMP_EXE, "--chunk", "12x", "-"},
      {TAVIK_DUMP_EXE, "--chunk"},
      {TAVIK_DUMP_EXE, "--chunk=", "-"},
      {TAVIK_DUMP_EXE, "--json=yes", "-"},
      {TAVIK_DUMP_EXE, "-x", "-"},
      {TAVIK_DUMP_EXE, "--verbose", "-"},
      {TAVIK_DUMP_EXE, "a.bin", "b.bin"},
      {TAVIK_DUMP_EXE, "--port", (dir / "no-such-device").string()},
      {TAVIK_DUMP_EXE, "--port", "/dev/null", "-"},
  };
  for (const auto& args : cases) {
    const test::ToolResult r = runTool(args);
    SCOPED_TRACE(args.back());
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.starts_with("tavik-dump: ")) << r.err;
    EXPECT_EQ(r.out, "");
  }
}

TEST(TavikSim, RefusesBadOptionsWithStatusTwo) {
  test::TempDir dir;
  const std::string file = dir / "out.bin";
  const std::vector<std::vector<std::string>> cases = {
      {TAVIK_SIM_EXE, "--speed", "0"},
      {TAVIK_SIM_EXE, "--bad-checksums", "1.5"},
      {TAVIK_SIM_EXE, "--noise", "-0.1"},
      {TAVIK_SIM_EXE, "--seed", "abc"},
      {TAVIK_SIM_EXE, "--count"},
      {TAVIK_SIM_EXE, "--frobnicate"},
      {TAVIK_SIM_EXE, "--out", file, "--link", dir / "link"},
      {TAVIK_SIM_EXE, "--out", file},  // a file without an end
      {TAVIK_SIM_EXE, "--out", dir / "missing" / "out.bin", "--count", "1"},
  };
  for (const auto& args : cases) {
    const test::ToolResult r = runTool(args);
    SCOPED_TRACE(args[1]);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.starts_with("tavik-sim: ")) << r.err;
  }
}

TEST(TavikSim, WritesAFileAtOnceAndCapturesWhatItSends) {
  test::TempDir dir;
  const std::string out = dir / "out.bin", capture = dir / "capture.bin";
  const auto start = std::chrono::steady_clock::now();
  // An hour of simulated time at the console's own pace.
  const test::ToolResult r = runTool(
      {TAVIK_SIM_EXE, "--out", out, "--duration", "3600", "--noise", "0.2", "--capture", capture});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
  const std::string sent = test::readWholeFile(out);
  EXPECT_EQ(sent, test::readWholeFile(capture));

  // 361 cycles of ten seconds: the wind twice, each other kind once.
  StationData data;
  GroupStream stream(data);
  std::map<GroupKind, int> counts;
  stream.setGroupHandler([&counts](GroupKind kind, bool ok) { counts[kind] += ok; });
  stream.feed(std::span(reinterpret_cast<const uint8_t*>(sent.data()), sent.size()));
  EXPECT_NEAR(counts[GroupKind::GCF], 720, 20);
  EXPECT_NEAR(counts[GroupKind::GBF], 360, 10);
  EXPECT_GT(sent.size(), 360u * (35 + 34 + 31 + 14 + 2 * 27));
}

}  // namespace
}  // namespace tavik
