// SPDX-License-Identifier: GPL-3.0-or-later
// The packaged system unit lets the service reach the network (the MQTT
// broker, the weather networks) and keeps the rest of its hardening.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "aprs_decoder.h"
#include "temp_folder.h"

namespace tavik {
namespace {

std::string unitText() {
  std::ifstream in(TAVIK_SYSTEM_UNIT, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The values of every line "Key=..." of the unit.
std::vector<std::string> values(const std::string& unit, const std::string& key) {
  std::vector<std::string> out;
  const std::regex line("(^|\n)" + key + "=([^\n]*)");
  for (auto it = std::sregex_iterator(unit.begin(), unit.end(), line); it != std::sregex_iterator();
       ++it) {
    out.push_back((*it)[2]);
  }
  return out;
}

TEST(ServiceUnit, ReachesTheNetworkAndNothingElseOfItsSockets) {
  const std::string unit = unitText();
  ASSERT_FALSE(unit.empty());
  const auto network = values(unit, "PrivateNetwork");
  EXPECT_TRUE(network.empty() || network.back() == "no");
  EXPECT_EQ(values(unit, "RestrictAddressFamilies"),
            std::vector<std::string>{"AF_INET AF_INET6 AF_UNIX"});
  for (const char* kept : {"NoNewPrivileges", "ProtectSystem", "ProtectHome", "PrivateTmp",
                           "MemoryDenyWriteExecute", "RestrictNamespaces", "DevicePolicy"}) {
    EXPECT_FALSE(values(unit, kept).empty()) << kept;
  }
  EXPECT_EQ(values(unit, "CapabilityBoundingSet"), std::vector<std::string>{""});
}

TEST(ServiceUnit, ExposureStaysAtMostOnePointTwo) {
  if (!testing::onPath("systemd-analyze")) GTEST_SKIP() << "no systemd-analyze";
  testing::TempFolder folder;
  std::string unit = unitText();
  unit = std::regex_replace(unit, std::regex("@BINDIR@"), "/usr/bin");
  const std::string path = folder.dir() + "tavik-station.service";
  std::ofstream(path, std::ios::binary) << unit;
  const std::string command = "systemd-analyze security --offline=true '" + path + "' 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string out;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  ::pclose(pipe);
  std::smatch m;
  ASSERT_TRUE(std::regex_search(out, m, std::regex("Overall exposure level for [^:]*: ([0-9.]+)")))
      << out;
  EXPECT_LE(std::stod(m[1]), 1.2) << out;
}

}  // namespace
}  // namespace tavik
