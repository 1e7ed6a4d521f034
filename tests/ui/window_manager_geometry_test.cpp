// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's place and size under a real window manager: the program
// is started and ended three times on a virtual X display with openbox, and
// the keys it saves in [Fenster] must stay as they were, for a normal and for
// a maximised window. Skipped where Xvfb, openbox or xprop is missing.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "window_manager_display.h"

namespace tavik {
namespace {

using namespace tavik::e2e;

using Keys = std::map<std::string, std::string>;

// The keys of one section of the ini file.
Keys section(const fs::path& ini, const std::string& name) {
  Keys keys;
  bool inside = false;
  for (const std::string& line : lines(readFile(ini))) {
    if (!line.empty() && line.front() == '[') {
      inside = line == "[" + name + "]";
      continue;
    }
    const size_t eq = line.find('=');
    if (inside && eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return keys;
}

void writeSettings(const fs::path& ini, const Keys& window) {
  TextFileWriter w;
  ASSERT_TRUE(w.open(ini, TextFileWriter::Mode::Truncate));
  ASSERT_TRUE(w.writeLine("[Alles]"));
  ASSERT_TRUE(w.writeLine("Comport=" + (ini.parent_path() / "no-such-line").string()));
  ASSERT_TRUE(w.writeLine("[Fenster]"));
  for (const auto& [key, value] : window) ASSERT_TRUE(w.writeLine(key + "=" + value));
  ASSERT_TRUE(w.close());
}

// The id of the main window once the window manager has framed it.
std::string framedMainWindow(const WindowManagerDisplay& x) {
  std::string found;
  waitFor(
      [&] {
        for (const std::string& id : x.clients()) {
          if (x.title(id).rfind("Tavik Output", 0) == 0 &&
              x.xprop("-id " + id + " _NET_FRAME_EXTENTS").find('=') != std::string::npos) {
            found = id;
            return true;
          }
        }
        return false;
      },
      30s);
  return found;
}

class WindowManagerGeometryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!WindowManagerDisplay::available()) GTEST_SKIP() << "Xvfb, openbox or xprop is missing";
    char pattern[] = "/tmp/tavik-geometry-XXXXXX";
    dir_ = mkdtemp(pattern);
    x_ = std::make_unique<WindowManagerDisplay>(dir_);
    ASSERT_TRUE(x_->ready());
    fs::copy_file(TAVIK_BINARY, dir_ / "tavik");
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // The desktop's own libraries leave a little behind at exit; the exit
    // status is to tell whether the program ended well.
    setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    setenv("DISPLAY", x_->name().c_str(), 1);
  }
  void TearDown() override {
    x_.reset();
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  // Starts the program, waits until its window is framed and has settled,
  // checks its maximised state, and ends it as a signal does (the settings
  // are saved). Returns the [Fenster] keys it saved.
  Keys runOnce(bool expectMaximised) {
    Child tavik({(dir_ / "tavik").string()}, {}, dir_ / "tavik.out", dir_);
    const std::string id = framedMainWindow(*x_);
    EXPECT_FALSE(id.empty()) << rawFile(dir_ / "tavik.out");
    // Settled: the window manager's idea of the window stays the same.
    std::string last;
    int same = 0;
    waitFor(
        [&] {
          const std::string now =
              commandOutput("DISPLAY=" + x_->name() + " xwininfo -id " + id + " 2>/dev/null") +
              x_->xprop("-id " + id + " _NET_WM_STATE");
          same = now == last ? same + 1 : 0;
          last = now;
          return same >= 6;
        },
        15s);
    const bool maximised =
        x_->xprop("-id " + id + " _NET_WM_STATE").find("MAXIMIZED_VERT") != std::string::npos;
    EXPECT_EQ(maximised, expectMaximised) << last;
    EXPECT_EQ(tavik.stop(), 0) << rawFile(dir_ / "tavik.out");
    return section(dir_ / "tavout.ini", "Fenster");
  }

  fs::path dir_;
  std::unique_ptr<WindowManagerDisplay> x_;
};

TEST_F(WindowManagerGeometryTest, PlaceAndSizeStayOverThreeRuns) {
  const Keys stored{{"Links", "140"}, {"Oben", "90"}, {"Breite", "820"}, {"Hoehe", "600"}};
  writeSettings(dir_ / "tavout.ini", stored);
  for (int run = 1; run <= 3; ++run) {
    SCOPED_TRACE(run);
    const Keys saved = runOnce(false);
    for (const auto& [key, value] : stored) EXPECT_EQ(saved.at(key), value) << key;
    EXPECT_EQ(saved.at("Maximiert"), "0");
  }
}

TEST_F(WindowManagerGeometryTest, MaximisedWindowComesBackMaximisedWithItsNormalPlace) {
  const Keys stored{
      {"Links", "60"}, {"Oben", "50"}, {"Breite", "820"}, {"Hoehe", "560"}, {"Maximiert", "1"}};
  writeSettings(dir_ / "tavout.ini", stored);
  for (int run = 1; run <= 3; ++run) {
    SCOPED_TRACE(run);
    const Keys saved = runOnce(true);
    for (const auto& [key, value] : stored) EXPECT_EQ(saved.at(key), value) << key;
  }
}

}  // namespace
}  // namespace tavik
