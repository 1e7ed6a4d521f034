// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/port_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <tuple>

namespace tavik {
namespace {

namespace fs = std::filesystem;

bool startsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

// A ttyS entry exists for every possible legacy port; only those with a
// driver behind them are real.
bool hasDriver(const std::string& name) {
  std::error_code ec;
  return fs::exists("/sys/class/tty/" + name + "/device/driver", ec);
}

// ttyS2 before ttyS10: the name's letters first, then its number.
bool naturalLess(const std::string& a, const std::string& b) {
  auto split = [](const std::string& s) {
    size_t digits = s.size();
    while (digits > 0 && s[digits - 1] >= '0' && s[digits - 1] <= '9') --digits;
    const std::string tail = s.substr(digits);
    return std::make_tuple(s.substr(0, digits), tail.size(), tail);
  };
  return split(a) < split(b);
}

std::vector<std::string> entries(const fs::path& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end(), naturalLess);
  return names;
}

}  // namespace

std::vector<std::string> listSerialPorts() {
  std::vector<std::string> ports;
  for (const std::string& name : entries("/dev")) {
    const bool wanted = startsWith(name, "ttyUSB") || startsWith(name, "ttyACM") ||
                        (startsWith(name, "ttyS") && hasDriver(name));
    if (wanted) ports.push_back("/dev/" + name);
  }
  for (const std::string& name : entries("/dev/serial/by-id")) {
    ports.push_back("/dev/serial/by-id/" + name);
  }
  return ports;
}

}  // namespace tavik
