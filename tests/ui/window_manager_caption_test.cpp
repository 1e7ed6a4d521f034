// SPDX-License-Identifier: GPL-3.0-or-later
// The captions as a window manager shows them: the real program on a virtual
// X display with a window manager, read back with xprop. Skipped where the
// display server, the window manager or xprop is not installed.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#include "program_process.h"

namespace tavik {
namespace {

using namespace tavik::e2e;

bool installed(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string commandOutput(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, p)) > 0;) out.append(buffer, n);
    pclose(p);
  }
  return out;
}

// The titles of every top-level window the window manager lists.
std::set<std::string> shownTitles(const std::string& display) {
  std::set<std::string> titles;
  const std::string env = "DISPLAY=" + display + " ";
  std::istringstream ids(commandOutput(env + "xprop -root _NET_CLIENT_LIST"));
  for (std::string word; ids >> word;) {
    if (word.rfind("0x", 0) != 0) continue;
    if (word.back() == ',') word.pop_back();
    const std::string line = commandOutput(env + "xprop -id " + word + " _NET_WM_NAME");
    const size_t open = line.find('"');
    const size_t close = line.rfind('"');
    if (open != std::string::npos && close > open) {
      titles.insert(line.substr(open + 1, close - open - 1));
    }
  }
  return titles;
}

// A display number nobody uses.
std::string freeDisplay() {
  for (int n = 140 + getpid() % 40; n < 400; ++n) {
    if (!fs::exists("/tmp/.X11-unix/X" + std::to_string(n)) &&
        !fs::exists("/tmp/.X" + std::to_string(n) + "-lock")) {
      return ":" + std::to_string(n);
    }
  }
  return "";
}

TEST(WindowManagerCaptionTest, MainWindowAndPortMessageShowTheirCaptionsAsTheyAre) {
  if (!installed("Xvfb") || !installed("openbox") || !installed("xprop")) {
    GTEST_SKIP() << "Xvfb, openbox or xprop is not installed";
  }
  char pattern[] = "/tmp/tavik-wm-XXXXXX";
  const fs::path dir = mkdtemp(pattern);
  const std::string display = freeDisplay();
  ASSERT_FALSE(display.empty());
  Child xvfb({"/usr/bin/env", "Xvfb", display, "-screen", "0", "1280x800x24", "-nolisten", "tcp"},
             {}, dir / "xvfb.out", dir);
  ASSERT_TRUE(waitFor([&] { return fs::exists("/tmp/.X11-unix/X" + display.substr(1)); }, 10s));
  Child wm({"/usr/bin/env", "openbox"}, {"DISPLAY=" + display}, dir / "openbox.out", dir);
  // The window manager owns the root's client list once it runs.
  ASSERT_TRUE(waitFor(
      [&] {
        return commandOutput("DISPLAY=" + display + " xprop -root _NET_SUPPORTING_WM_CHECK")
                   .find("window id") != std::string::npos;
      },
      10s));

  fs::copy_file(TAVIK_BINARY, dir / "tavik");
  {
    TextFileWriter w;
    ASSERT_TRUE(w.open(dir / "tavout.ini", TextFileWriter::Mode::Truncate));
    ASSERT_TRUE(w.writeLine("[Alles]"));
    ASSERT_TRUE(w.writeLine("Comport=" + (dir / "no-such-line").string()));
    ASSERT_TRUE(w.writeLine("ActiveAtStratup=1"));
    ASSERT_TRUE(w.close());
  }
  // The child inherits this process's environment first: a platform set for
  // the other window tests must not win over the X display.
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  setenv("DISPLAY", display.c_str(), 1);
  Child tavik({(dir / "tavik").string()}, {}, dir / "tavik.out", dir);
  std::set<std::string> titles;
  const bool both = waitFor(
      [&] {
        titles = shownTitles(display);
        return titles.count("Comport belegt") && titles.count("Tavik Output - Inaktiv");
      },
      30s);
  std::string seen;
  for (const std::string& t : titles) seen += "[" + t + "] ";
  EXPECT_TRUE(both) << seen << rawFile(dir / "tavik.out");
  for (const std::string& t : titles) EXPECT_EQ(t.find("—"), std::string::npos) << t;
  tavik.signal(SIGKILL);
  tavik.wait(5s);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tavik
