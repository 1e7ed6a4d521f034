// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-sim on a pseudo-terminal, read through the station's serial port and
// framer like the program reads the console.
#include <poll.h>
#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <thread>

#include "dump/record_fields.h"
#include "sim/console_simulator.h"
#include "station/group_stream.h"
#include "station/serial_port.h"
#include "tool_process.h"

namespace tavik {
namespace {

using namespace std::chrono_literals;

// tavik-sim started with its standard output on a pipe.
class RunningSim {
 public:
  explicit RunningSim(std::vector<std::string> args) {
    args.insert(args.begin(), TAVIK_SIM_EXE);
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    const int devNull = open("/dev/null", O_RDWR);
    pid_ = test::spawn(args, devNull, fds[1], STDERR_FILENO);
    close(devNull);
    close(fds[1]);
    out_ = fds[0];
  }
  ~RunningSim() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      test::waitExit(pid_);
    }
    close(out_);
  }

  // The first line of its output (the slave path), waiting up to ten seconds.
  std::string firstLine() {
    std::string line;
    char c;
    pollfd p{out_, POLLIN, 0};
    while (poll(&p, 1, 10'000) > 0 && read(out_, &c, 1) == 1 && c != '\n') line += c;
    return line;
  }
  int exitStatus() {
    const int status = test::waitExit(pid_);
    pid_ = -1;
    return status;
  }
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
};

TEST(SimOnPseudoTerminal, GroupsArriveWholeInTheRecord) {
  test::TempDir dir;
  const std::string link = dir / "console";
  const int count = 36;
  RunningSim sim({"--speed", "500", "--count", std::to_string(count), "--seed", "3", "--clock",
                  "2026-07-23T22:47:00", "--link", link});
  const std::string slave = sim.firstLine();
  ASSERT_TRUE(slave.starts_with("/dev/")) << slave;
  EXPECT_EQ(std::filesystem::read_symlink(link), slave);

  StationData data;
  GroupStream stream(data);
  int good = 0, bad = 0;
  stream.setGroupHandler([&](GroupKind, bool ok) { (ok ? good : bad)++; });
  SerialPort port;
  port.setPortName(link);
  stream.attach(port);
  port.Open();
  const auto deadline = std::chrono::steady_clock::now() + 20s;
  // Checksum bytes equal to a group byte start false groups, which the
  // decoders reject; the real ones all arrive.
  while (good < count && std::chrono::steady_clock::now() < deadline) port.pollOnce(100);
  port.Close();
  EXPECT_EQ(good, count);
  EXPECT_LT(bad, count / 4);

  // The record holds the last group of each kind the simulator sent.
  ConsoleSimulator local([] {
    SimulatorOptions o;
    o.seed = 3;
    o.clockStart = WeatherModel::secondOfYear({2026, 7, 23, 22, 47, 0});
    return o;
  }());
  std::map<GroupKind, WeatherRecord> lastSent;
  StationState expected;
  for (int i = 0; i < count; ++i) {
    const GroupKind kind = local.next().kind;
    // A kind's first group waits for the second before it enters the record,
    // so the first wind group raises no gust.
    const bool first = !lastSent.contains(kind);
    lastSent[kind] = local.record();
    if (kind == GroupKind::GCF && !first && local.record().Wind.Speed > expected.gustMaxMinute) {
      expected.gustMaxMinute = local.record().Wind.Speed;
      expected.gustMaxMinuteDir = static_cast<int16_t>(local.record().Wind.Dir);
    }
  }
  for (GroupKind kind : kGroupKinds)
    EXPECT_EQ(groupFields(kind, data.weather, data.state),
              groupFields(kind, lastSent[kind], expected));

  EXPECT_EQ(sim.exitStatus(), 0);
  EXPECT_FALSE(std::filesystem::is_symlink(link));
}

// Nobody reads the line: the simulator neither blocks nor spins, and a stop
// signal ends it cleanly.
TEST(SimOnPseudoTerminal, EndsCleanlyOnSigtermWithoutAReader) {
  test::TempDir dir;
  const std::string link = dir / "console";
  RunningSim sim({"--speed", "100000", "--link", link});
  ASSERT_TRUE(sim.firstLine().starts_with("/dev/"));
  std::this_thread::sleep_for(300ms);  // long enough to fill the line's buffer
  ASSERT_TRUE(std::filesystem::is_symlink(link));
  const auto sent = std::chrono::steady_clock::now();
  kill(sim.pid(), SIGTERM);
  EXPECT_EQ(sim.exitStatus(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - sent, 3s);
  EXPECT_FALSE(std::filesystem::is_symlink(link));
}

}  // namespace
}  // namespace tavik
