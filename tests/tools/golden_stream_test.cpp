// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-dump on a console stream assembled by hand (tests/data/golden): its
// JSON lines must be the ones worked out by hand from the group layouts. The
// simulator's encoder plays no part, so a layout misread shared by the
// encoder and the decoders shows here.
#include <gtest/gtest.h>

#include <cctype>
#include <regex>

#include "tool_process.h"

namespace tavik {
namespace {

const std::string kGoldenDir = TAVIK_GOLDEN_DIR;

// The bytes of a .hex file: pairs of hex digits separated by blanks, '#'
// starting a comment. Anything else fails the test.
std::vector<uint8_t> readHex(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::istringstream in(test::readWholeFile(path));
  int lineNumber = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNumber;
    std::istringstream words(line.substr(0, line.find('#')));
    for (std::string w; words >> w;) {
      const bool hex = w.size() == 2 && std::isxdigit(static_cast<unsigned char>(w[0])) &&
                       std::isxdigit(static_cast<unsigned char>(w[1]));
      if (!hex) ADD_FAILURE() << path << ':' << lineNumber << ": not a byte: " << w;
      if (hex) bytes.push_back(static_cast<uint8_t>(std::stoi(w, nullptr, 16)));
    }
  }
  return bytes;
}

// The dump may say of a refused group whether its values were plausible;
// that judgement is not part of the layouts, so it is left out here.
std::vector<std::string> withoutPlausible(std::vector<std::string> lines) {
  static const std::regex kPlausible(R"(,"plausible":(true|false))");
  for (std::string& line : lines) line = std::regex_replace(line, kPlausible, "");
  return lines;
}

class GoldenStream : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::vector<uint8_t> bytes = readHex(kGoldenDir + "/console_stream.hex");
    std::ofstream(stream_, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    expected_ = test::lines(test::readWholeFile(kGoldenDir + "/console_stream.jsonl"));
  }

  test::TempDir dir_;
  std::string stream_ = dir_ / "console_stream.bin";
  std::vector<std::string> expected_;
};

// Fourteen groups of every kind (two of them with a wrong checksum), noise
// before, between and after them.
TEST_F(GoldenStream, DumpPrintsTheLinesWorkedOutByHand) {
  ASSERT_EQ(expected_.size(), 14u);
  const test::ToolResult r = test::runTool({TAVIK_DUMP_EXE, "--json", stream_});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const std::vector<std::string> got = withoutPlausible(test::lines(r.out));
  ASSERT_EQ(got.size(), expected_.size()) << r.out;
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], expected_[i]) << "line " << i + 1;
}

// The same stream one byte at a time: the framer's verdicts do not depend on
// where the chunks end.
TEST_F(GoldenStream, ByteByByteGivesTheSameLines) {
  const test::ToolResult r = test::runTool({TAVIK_DUMP_EXE, "--json", "--chunk", "1", stream_});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(withoutPlausible(test::lines(r.out)), expected_);
}

}  // namespace
}  // namespace tavik
