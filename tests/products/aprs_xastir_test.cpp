// SPDX-License-Identifier: GPL-3.0-or-later
// The APRS file served to Xastir by its own reader, wxnowsrv.pl (Debian
// package "xastir"), which reads a "wxnow" file line by line and hands its
// weather line to Xastir over TCP. The reader runs on 127.0.0.1 only, for at
// most 20 seconds, and is stopped by the test.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "aprs_decoder.h"
#include "child_process.h"
#include "free_port.h"
#include "product_test_support.h"
#include "products/aprs_file.h"

namespace tavik {
namespace {

constexpr const char* kReader = "/usr/share/xastir/scripts/wxnowsrv.pl";

// Perl, with the reader's listening socket bound to 127.0.0.1 instead of every
// interface; the reader itself is run unchanged.
constexpr const char* kLoopbackOnly =
    "my $new = \\&IO::Socket::INET::new;"
    "{ no warnings 'redefine'; *IO::Socket::INET::new = sub { my ($class, %a) = @_;"
    "  $a{LocalAddr} = '127.0.0.1' if exists $a{LocalPort}; return $new->($class, %a); }; }"
    "my $script = shift; do $script; die $@ if $@;";

// The first non-empty line the reader sends, or "" after 10 s.
std::string firstServedLine(int port) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
      ::close(fd);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      continue;
    }
    std::string received;
    pollfd p{fd, POLLIN, 0};
    while (std::chrono::steady_clock::now() < deadline && ::poll(&p, 1, 200) >= 0) {
      char buffer[512];
      const ssize_t n = (p.revents & POLLIN) ? ::read(fd, buffer, sizeof buffer) : 0;
      if (n < 0 || ((p.revents & POLLIN) && n == 0)) break;
      received.append(buffer, static_cast<size_t>(n));
      size_t end;
      while ((end = received.find('\n')) != std::string::npos) {
        const std::string line = received.substr(0, end);
        received.erase(0, end + 1);
        if (!line.empty()) {
          ::close(fd);
          return line;
        }
      }
    }
    ::close(fd);
  }
  return "";
}

struct AprsXastirTest : ::testing::Test {
  void SetUp() override {
    if (!std::filesystem::exists(kReader) || !testing::onPath("perl")) {
      GTEST_SKIP() << "wxnowsrv.pl (Debian package xastir) missing";
    }
    f.weather = {};
    f.weather.Wind.AvgDir = 180;
    f.weather.Wind.AvgSpeed = 23;
    f.state.gustRing = {10, 54, 20, 0, 31};
    f.weather.TempOut.Current = 80;
    f.weather.HumOut.Current = 72;
    f.weather.Baro.SeaLevel = 10132;
    f.state.rainSinceMidnight = 1;
    f.state.rain24h = 3;
    f.weather.Baro.Forecast = 2;
    f.settings.APRSDatei = folder / "wxnow.txt";
  }

  // What the reader sends for the file written with the given line end.
  std::string served(const char* lineEnd) {
    f.settings.APRSZeilenende = lineEnd;
    writeAprsFile(f.context());
    const int port = test::freeLoopbackPort();
    EXPECT_GT(port, 0);
    const pid_t reader =
        spawnProcess({"/usr/bin/timeout", "20", "perl", "-MIO::Socket::INET", "-e", kLoopbackOnly,
                      kReader, f.settings.APRSDatei, "1", std::to_string(port)},
                     {}, folder / "reader.log", folder.path());
    EXPECT_GT(reader, 0);
    const std::string line = reader > 0 ? firstServedLine(port) : "";
    if (reader > 0) {
      ::kill(reader, SIGTERM);
      ::waitpid(reader, nullptr, 0);
    }
    return line;
  }

  test::ProductFixture f;
  test::TempFolder folder;
};

// The reader turns "ddd/sss" into Xastir's "cdddsss" and appends its station
// type "xDvs"; Xastir takes every field from there.
TEST_F(AprsXastirTest, LineFeedFileIsServedWithEveryField) {
  EXPECT_EQ(served("LF"), "c180s005g012t046h72b10132r000P004p012m/wolkigxDvs");
}

// With CR LF the carriage return stays in the served line, in front of the
// station type, where Xastir refuses the data: the reason for the LF choice.
TEST_F(AprsXastirTest, CarriageReturnLineEndReachesTheReader) {
  EXPECT_EQ(served("CRLF"), "c180s005g012t046h72b10132r000P004p012m/wolkig\rxDvs");
}

}  // namespace
}  // namespace tavik
