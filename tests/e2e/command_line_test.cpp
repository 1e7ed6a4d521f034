// SPDX-License-Identifier: GPL-3.0-or-later
// The tavik program's own command line: --help and --version answer and exit,
// anything else is refused with the usage on standard error. None of it may
// need a display: the tests run it with a Qt platform that does not exist, on
// which opening the window would abort.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/version.h"
#include "tool_process.h"

namespace tavik {
namespace {

namespace fs = std::filesystem;
using test::runTool;
using test::ToolResult;

// Runs a copy of tavik in a folder of its own, so that a window that opened
// by mistake would leave its tavout.ini there.
class TavikCommandLine : public ::testing::Test {
 protected:
  void SetUp() override { fs::copy_file(TAVIK_BINARY, dir_ / "tavik"); }

  ToolResult run(const std::vector<std::string>& args) {
    std::vector<std::string> command = {"/usr/bin/env",
                                        "-u",
                                        "DISPLAY",
                                        "-u",
                                        "WAYLAND_DISPLAY",
                                        "QT_QPA_PLATFORM=no-such-platform",
                                        (dir_ / "tavik").string()};
    command.insert(command.end(), args.begin(), args.end());
    return runTool(command);
  }

  bool onlyTheProgramInItsFolder() const {
    return std::distance(fs::directory_iterator(dir_.path()), fs::directory_iterator{}) == 1;
  }

  test::TempDir dir_;
};

TEST_F(TavikCommandLine, HelpPrintsTheUsageOnStandardOutput) {
  EXPECT_EQ(run({"-h"}).out, run({"--help"}).out);
  const ToolResult r = run({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.out.starts_with("Aufruf: tavik [--help | --version]\n")) << r.out;
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(onlyTheProgramInItsFolder());
}

TEST_F(TavikCommandLine, VersionPrintsTheProjectVersion) {
  for (const char* option : {"--version", "-V"}) {
    const ToolResult r = run({option});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "tavik " TAVIK_VERSION "\n");
    EXPECT_EQ(r.err, "");
  }
}

TEST_F(TavikCommandLine, AnyOtherArgumentIsRefusedWithoutOpeningTheWindow) {
  const std::vector<std::vector<std::string>> refused = {{"--bogus"},
                                                         {"-x"},
                                                         {"-platform", "offscreen"},
                                                         {"tavout.ini"},
                                                         {"--help", "extra"},
                                                         {"--version", "--help"},
                                                         {""}};
  for (const std::vector<std::string>& args : refused) {
    const ToolResult r = run(args);
    const std::string bad = args.size() > 1 && args[0].starts_with("--") ? args[1] : args[0];
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_EQ(r.out, "") << bad;
    EXPECT_TRUE(r.err.starts_with("tavik: unbekanntes Argument: " + bad + "\nAufruf: tavik"))
        << r.err;
  }
  EXPECT_TRUE(onlyTheProgramInItsFolder());
}

}  // namespace
}  // namespace tavik
