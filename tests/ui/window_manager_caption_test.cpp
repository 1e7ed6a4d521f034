// SPDX-License-Identifier: GPL-3.0-or-later
// The captions as a window manager shows them: the real program on a virtual
// X display with a window manager, read back with xprop. Skipped where the
// display server, the window manager or xprop is not installed.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "window_manager_display.h"

namespace tavik {
namespace {

using namespace tavik::e2e;

TEST(WindowManagerCaptionTest, MainWindowAndPortMessageShowTheirCaptionsAsTheyAre) {
  if (!WindowManagerDisplay::available()) {
    GTEST_SKIP() << "Xvfb, openbox or xprop is not installed";
  }
  char pattern[] = "/tmp/tavik-wm-XXXXXX";
  const fs::path dir = mkdtemp(pattern);
  const WindowManagerDisplay x(dir);
  ASSERT_TRUE(x.ready());
  const std::string display = x.name();

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
        titles = x.shownTitles();
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
