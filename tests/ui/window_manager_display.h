// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A virtual X display with a window manager for the tests that need real
// frames: Xvfb on a display number nobody uses, openbox on it, and xprop to
// read back what the window manager shows. Both end with the object.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "program_process.h"

namespace tavik::e2e {

inline bool installed(const char* tool) {
  return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

inline std::string commandOutput(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, p)) > 0;) out.append(buffer, n);
    pclose(p);
  }
  return out;
}

// A display number nobody uses.
inline std::string freeDisplay() {
  for (int n = 140 + getpid() % 40; n < 400; ++n) {
    if (!fs::exists("/tmp/.X11-unix/X" + std::to_string(n)) &&
        !fs::exists("/tmp/.X" + std::to_string(n) + "-lock")) {
      return ":" + std::to_string(n);
    }
  }
  return "";
}

class WindowManagerDisplay {
 public:
  // Whether the tools are there; the tests skip without them.
  static bool available() {
    return installed("Xvfb") && installed("openbox") && installed("xprop");
  }

  // Starts both in `dir` (their output goes there); ready() tells whether
  // the window manager runs.
  explicit WindowManagerDisplay(const fs::path& dir) : name_(freeDisplay()) {
    if (name_.empty()) return;
    xvfb_ =
        std::make_unique<Child>(std::vector<std::string>{"/usr/bin/env", "Xvfb", name_, "-screen",
                                                         "0", "1280x800x24", "-nolisten", "tcp"},
                                std::vector<std::string>{}, dir / "xvfb.out", dir);
    if (!waitFor([&] { return fs::exists("/tmp/.X11-unix/X" + name_.substr(1)); }, 10s)) return;
    // Children take this process's environment first: a display named there
    // by an earlier test must not win.
    setenv("DISPLAY", name_.c_str(), 1);
    wm_ = std::make_unique<Child>(std::vector<std::string>{"/usr/bin/env", "openbox"},
                                  std::vector<std::string>{"DISPLAY=" + name_}, dir / "openbox.out",
                                  dir);
    // The window manager owns the root's client list once it runs.
    ready_ = waitFor(
        [&] {
          return xprop("-root _NET_SUPPORTING_WM_CHECK").find("window id") != std::string::npos;
        },
        10s);
  }

  bool ready() const { return ready_; }
  const std::string& name() const { return name_; }

  // xprop on this display with the given arguments.
  std::string xprop(const std::string& args) const {
    return commandOutput("DISPLAY=" + name_ + " xprop " + args + " 2>/dev/null");
  }

  // The ids of every top-level window the window manager lists.
  std::vector<std::string> clients() const {
    std::vector<std::string> ids;
    std::istringstream words(xprop("-root _NET_CLIENT_LIST"));
    for (std::string word; words >> word;) {
      if (word.rfind("0x", 0) != 0) continue;
      if (word.back() == ',') word.pop_back();
      ids.push_back(word);
    }
    return ids;
  }

  // A window's title as the window manager shows it.
  std::string title(const std::string& id) const {
    const std::string line = xprop("-id " + id + " _NET_WM_NAME");
    const size_t open = line.find('"');
    const size_t close = line.rfind('"');
    return open != std::string::npos && close > open ? line.substr(open + 1, close - open - 1) : "";
  }

  std::set<std::string> shownTitles() const {
    std::set<std::string> titles;
    for (const std::string& id : clients()) {
      if (std::string t = title(id); !t.empty()) titles.insert(t);
    }
    return titles;
  }

 private:
  std::string name_;
  std::unique_ptr<Child> xvfb_;
  std::unique_ptr<Child> wm_;
  bool ready_ = false;
};

}  // namespace tavik::e2e
