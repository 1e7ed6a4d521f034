// SPDX-License-Identifier: GPL-3.0-or-later
// Soak run: the real tavik, offscreen (or tavik-station), against tavik-sim on
// a pseudo-terminal, both running their clocks SCALE times as fast, for a
// number of simulated hours. Prints the time from the start to the port being
// open, the program's resident memory and CPU time as it goes, the CPU time
// per simulated hour and how many product files it wrote. With "mqtt" it
// starts a Mosquitto broker on 127.0.0.1 (a free port) and the program
// publishes to it; a subscriber counts the state messages, and the program's
// open descriptors are shown too.
//
// Usage: tavik-soak [HOURS [SCALE [tavik|station [mqtt|mqtt0]]]]   (default 24
// hours at 720 times, tavik, without MQTT; mqtt0 publishes on every group)
#include <pwd.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "free_port.h"
#include "simulator_line.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Resident memory in KiB.
long residentKiB(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// User plus system CPU time in seconds.
double cpuSeconds(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), {});
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string f;
  long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && fields >> f; ++i) {
    if (i == 14) utime = std::atol(f.c_str());
    if (i == 15) stime = std::atol(f.c_str());
  }
  return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

// Waits until the process holds the device behind `link` open; the time it
// took in milliseconds, or -1 after ten seconds.
double msUntilOpen(pid_t pid, const fs::path& link, Clock::time_point start) {
  std::error_code ec;
  const fs::path device = fs::canonical(link, ec);
  const fs::path fds = "/proc/" + std::to_string(pid) + "/fd";
  while (Clock::now() - start < std::chrono::seconds(10)) {
    for (const auto& fd : fs::directory_iterator(fds, ec)) {
      if (fs::read_symlink(fd.path(), ec) == device) {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return -1;
}

// Open file descriptors of a process.
long descriptors(pid_t pid) {
  std::error_code ec;
  long n = 0;
  for (auto it = fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec);
       it != fs::directory_iterator(); it.increment(ec))
    ++n;
  return n;
}

// A broker for the run and a subscriber writing every message of the
// station's topics to mqtt.log; their process ids.
std::pair<pid_t, pid_t> startBroker(const fs::path& dir, int port) {
  std::ofstream(dir / "mosquitto.conf")
      << "listener " << port << " 127.0.0.1\nallow_anonymous true\npersistence false\n"
      << "user " << getpwuid(getuid())->pw_name << "\n";
  const pid_t broker =
      tavik::spawnProcess({"/usr/sbin/mosquitto", "-c", (dir / "mosquitto.conf").string()}, {},
                          dir / "broker.log", dir);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const pid_t sub = tavik::spawnProcess({"/usr/bin/mosquitto_sub", "-h", "127.0.0.1", "-p",
                                         std::to_string(port), "-t", "tavik/#", "-v"},
                                        {}, dir / "mqtt.log", dir);
  return {broker, sub};
}

long stateMessages(const fs::path& log) {
  std::ifstream in(log);
  long n = 0;
  for (std::string line; std::getline(in, line);) n += line.find("/state {") != std::string::npos;
  return n;
}

void writeIni(const fs::path& dir, const std::string& port) {
  std::ofstream ini(dir / "tavout.ini", std::ios::binary);
  const std::string d = dir.string();
  ini << "[Alles]\r\nComport=" << port << "\r\nActiveAtStratup=1\r\n"
      << "WinGTRead=" << d << "/read/\r\nWinGTImport=" << d << "/import/\r\n"
      << "APRSDatei=" << d << "/aprs/aprs.txt\r\nAPRSIntervall=10\r\n"
      << "ReadInterval=300000\r\nImportInterval=600000\r\nMaxProfil=3\r\n"
      << "[Wetterlog]\r\nLogOrdner=" << d << "/log\r\nLogInterval=600000\r\n"
      << "[ASYNOP]\r\nASYNOPDatei=" << d << "/asynop/asynop.txt\r\nASYNOPIntervall=1\r\n"
      << "[Profile]\r\nProfil1=Lesen\r\nProfil2=Mailbox\r\nProfil3=Abends\r\n"
      << "[Mailbox]\r\nAbsender=DL0SOAK\r\nWieWinGT=1\r\n"
      << "[Abends]\r\nAbsender=DL0SOAK\r\nWieWinGT=0\r\nUhrzeit=18:00\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  const double hours = argc > 1 ? std::atof(argv[1]) : 24;
  const int scale = argc > 2 ? std::atoi(argv[2]) : 720;
  const bool station = argc > 3 && std::string(argv[3]) == "station";
  // "mqtt0": the state on every group, at most once a second.
  const std::string mqttMode = argc > 4 ? argv[4] : "";
  const bool mqtt = mqttMode == "mqtt" || mqttMode == "mqtt0";
  char pattern[] = "/tmp/tavik-soak-XXXXXX";
  const fs::path dir = mkdtemp(pattern);
  for (const char* sub : {"read", "import", "log", "aprs", "asynop"})
    fs::create_directory(dir / sub);
  if (!station) fs::copy_file(TAVIK_BINARY, dir / "tavik");
  const fs::path line = dir / "console";

  const pid_t sim = tavik::bench::startSimulator(TAVIK_SIM_BINARY, dir, line, scale);
  writeIni(dir, line.string());
  const int mqttPort = tavik::test::freeLoopbackPort();
  std::pair<pid_t, pid_t> broker{-1, -1};
  if (mqtt) {
    broker = startBroker(dir, mqttPort);
    std::ofstream(dir / "tavout.ini", std::ios::binary | std::ios::app)
        << "[MQTT]\r\nMQTTServer=127.0.0.1:" << mqttPort << "\r\n"
        << (mqttMode == "mqtt0" ? "MQTTIntervall=0\r\n" : "");
  }

  // Every closed write of a product file counts as one product. The events
  // are read often, since the kernel merges a repeated event that is still
  // unread.
  const int watch = inotify_init1(IN_NONBLOCK);
  std::map<int, std::string> folders;
  for (const char* sub : {"read", "import", "log", "aprs", "asynop"}) {
    folders[inotify_add_watch(watch, (dir / sub).c_str(), IN_CLOSE_WRITE)] = sub;
  }
  std::map<std::string, long> written;
  auto countWrites = [&] {
    alignas(inotify_event) char buffer[8192];
    for (ssize_t n; (n = read(watch, buffer, sizeof buffer)) > 0;) {
      for (char* p = buffer; p < buffer + n;) {
        auto* e = reinterpret_cast<inotify_event*>(p);
        ++written[folders[e->wd]];
        p += sizeof(inotify_event) + e->len;
      }
    }
  };

  auto start = Clock::now();
  // Waits until `seconds` after the start, counting writes.
  auto waitCounting = [&](double seconds) {
    const auto until =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    while (Clock::now() < until) {
      countWrites();
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    countWrites();
  };

  const std::string timeScale = "TAVIK_TIME_SCALE=" + std::to_string(scale);
  const auto launched = Clock::now();
  const pid_t tavik =
      station
          ? tavik::spawnProcess({TAVIK_STATION_BINARY, "--folder", dir.string()}, {timeScale},
                                dir / "tavik.log", dir)
          : tavik::spawnProcess({(dir / "tavik").string()},
                                {"QT_QPA_PLATFORM=offscreen", timeScale}, dir / "tavik.log", dir);
  const double openMs = msUntilOpen(tavik, line, launched);
  const double realSeconds = hours * 3600 / scale;
  std::printf("soak: %s, %.1f simulated hours at %d times, %.0f s real, folder %s\n",
              station ? "tavik-station" : "tavik", hours, scale, realSeconds, dir.c_str());
  std::printf("start-up to the port being open: %.1f ms\n", openMs);
  std::this_thread::sleep_for(std::chrono::seconds(1));
  const long rssStart = residentKiB(tavik);
  const long fdStart = descriptors(tavik);
  const double cpuStart = cpuSeconds(tavik);
  long rssFirstHour = -1;
  std::printf("%8s %10s %10s %6s\n", "sim h", "RSS KiB", "CPU s", "fds");
  for (int hour = 1; hour <= static_cast<int>(hours); ++hour) {
    waitCounting(hour * 3600.0 / scale);
    const long rss = residentKiB(tavik);
    if (hour == 1) rssFirstHour = rss;
    std::printf("%8d %10ld %10.2f %6ld\n", hour, rss, cpuSeconds(tavik), descriptors(tavik));
    std::fflush(stdout);
  }
  waitCounting(realSeconds);
  const long rssEnd = residentKiB(tavik);
  const long fdEnd = descriptors(tavik);
  const double cpuEnd = cpuSeconds(tavik);
  kill(tavik, SIGTERM);
  waitpid(tavik, nullptr, 0);
  kill(sim, SIGTERM);
  waitpid(sim, nullptr, 0);
  countWrites();
  for (const pid_t p : {broker.second, broker.first}) {
    if (p <= 0) continue;
    kill(p, SIGTERM);
    waitpid(p, nullptr, 0);
  }

  const double perHour = (cpuEnd - cpuStart) / (hours - 1.0 / 3600 * scale);
  std::printf(
      "resident memory: %ld KiB after 1 s, %ld KiB after the first simulated hour, "
      "%ld KiB at the end (%+.1f %% against the first hour)\n",
      rssStart, rssFirstHour, rssEnd,
      rssFirstHour > 0 ? 100.0 * (rssEnd - rssFirstHour) / rssFirstHour : 0.0);
  std::printf("open descriptors: %ld after 1 s, %ld at the end\n", fdStart, fdEnd);
  if (mqtt) std::printf("MQTT state messages received: %ld\n", stateMessages(dir / "mqtt.log"));
  std::printf("CPU time: %.2f s per simulated hour, %.3f %% of one core at the console's pace\n",
              perHour, 100.0 * perHour / 3600);
  long total = 0;
  for (const auto& [folder, n] : written) {
    std::printf("products written in %s: %ld\n", folder.c_str(), n);
    total += n;
  }
  std::printf("products written: %ld\n", total);
  fs::remove_all(dir);
  return 0;
}
