// SPDX-License-Identifier: GPL-3.0-or-later
// The start of tavik (offscreen) or tavik-station on a given station
// archive, against tavik-sim on a pseudo-terminal, both clocks running SCALE
// times as fast: the time from the launch to the port being open and to
// the first web page written (goal: the page under 1 s after the port), the
// longest stretch in which the program's main thread was away from its
// event loop's wait (goal: under 100 ms), and the peak resident memory.
//
// The main thread is sampled every half millisecond: it is waiting in its
// event loop while the kernel shows it asleep in poll; any other state
// (running, waiting for the disk) counts as a busy stretch. A stretch is
// accurate to about a millisecond. On a loaded machine a stretch also holds
// the time the thread waited for a processor, so each is given with the
// CPU time it took and its wait in the run queue (from schedstat), and the
// stretch of most CPU time is shown too.
//
// Usage: tavik-start-bench ARCHIV [tavik|station [SECONDS [SCALE]]]
// (default tavik-station for 20 s at 60 times). The archive is copied into
// the run's folder, so that the rows the run writes do not change it.
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "child_process.h"
#include "simulator_line.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string firstLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

// The peak resident memory in KiB.
long peakKiB(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return -1;
}

// The thread's time on a processor and waiting in the run queue, in ms.
std::pair<double, double> schedMs(const fs::path& schedstat) {
  std::ifstream in(schedstat);
  double run = 0, wait = 0;
  in >> run >> wait;
  return {run / 1e6, wait / 1e6};
}

bool holdsOpen(pid_t pid, const fs::path& device) {
  std::error_code ec;
  for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
    if (fs::read_symlink(fd.path(), ec) == device) return true;
  }
  return false;
}

void writeIni(const fs::path& dir, const std::string& port) {
  std::ofstream ini(dir / "tavout.ini", std::ios::binary);
  const std::string d = dir.string();
  ini << "[Alles]\r\nComport=" << port << "\r\nActiveAtStratup=1\r\n"
      << "[Web]\r\nWebOrdner=" << d << "/web\r\nWebIntervall=1\r\n"
      << "[Archiv]\r\nArchivDatei=" << d << "/archive.sqlite\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "Aufruf: tavik-start-bench ARCHIV [tavik|station [SEKUNDEN [FAKTOR]]]\n");
    return 2;
  }
  const bool station = argc <= 2 || std::string(argv[2]) == "station";
  const double seconds = argc > 3 ? std::atof(argv[3]) : 20;
  const int scale = argc > 4 ? std::atoi(argv[4]) : 60;
  char pattern[] = "/tmp/tavik-start-XXXXXX";
  const fs::path dir = mkdtemp(pattern);
  fs::create_directory(dir / "web");
  fs::copy_file(argv[1], dir / "archive.sqlite");
  if (!station) fs::copy_file(TAVIK_BINARY, dir / "tavik");
  // The copy goes to the disk before the launch: otherwise the program's
  // first checkpoint of the archive waits until all of it is written, which
  // a station whose archive grew row by row never does.
  sync();
  const fs::path line = dir / "console";
  const pid_t sim = tavik::bench::startSimulator(TAVIK_SIM_BINARY, dir, line, scale);
  writeIni(dir, line.string());
  std::error_code ec;
  const fs::path device = fs::canonical(line, ec);
  const int watch = inotify_init1(IN_NONBLOCK);
  inotify_add_watch(watch, (dir / "web").c_str(), IN_CLOSE_WRITE | IN_MOVED_TO);

  const std::string timeScale = "TAVIK_TIME_SCALE=" + std::to_string(scale);
  const auto launched = Clock::now();
  const pid_t program =
      station
          ? tavik::spawnProcess({TAVIK_STATION_BINARY, "--folder", dir.string()}, {timeScale},
                                dir / "program.log", dir)
          : tavik::spawnProcess({(dir / "tavik").string()},
                                {"QT_QPA_PLATFORM=offscreen", timeScale}, dir / "program.log", dir);
  const fs::path wchan = "/proc/" + std::to_string(program) + "/wchan";
  double openMs = -1, pageMs = -1;
  const fs::path schedstat = "/proc/" + std::to_string(program) + "/schedstat";
  double longestMs = 0, longestAt = 0, longestCpu = 0, longestWait = 0;
  double mostCpu = 0, mostCpuMs = 0;
  std::string longestWhere;
  bool busy = false;
  Clock::time_point busySince;
  std::pair<double, double> schedAtStart;
  std::string busyWhere;
  long samples = 0;
  while (msSince(launched) < seconds * 1000) {
    if (openMs < 0 && holdsOpen(program, device)) openMs = msSince(launched);
    if (pageMs < 0) {
      alignas(inotify_event) char buffer[4096];
      if (read(watch, buffer, sizeof buffer) > 0) pageMs = msSince(launched);
    }
    // The busy stretches count from the port being open: before it the
    // program is still starting, which the start time covers.
    if (openMs >= 0) {
      const std::string where = firstLine(wchan);
      ++samples;
      const bool waiting = where.find("poll") != std::string::npos;
      if (!waiting && !busy) {
        busy = true;
        busySince = Clock::now();
        busyWhere = where;
        schedAtStart = schedMs(schedstat);
      } else if (waiting && busy) {
        const double ms =
            std::chrono::duration<double, std::milli>(Clock::now() - busySince).count();
        const auto [run, wait] = schedMs(schedstat);
        const double cpu = run - schedAtStart.first;
        if (ms > longestMs) {
          longestMs = ms;
          longestAt = msSince(launched);
          longestWhere = busyWhere;
          longestCpu = cpu;
          longestWait = wait - schedAtStart.second;
        }
        if (cpu > mostCpu) {
          mostCpu = cpu;
          mostCpuMs = ms;
        }
        busy = false;
      }
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  const long peak = peakKiB(program);
  kill(program, SIGTERM);
  int status = 0;
  waitpid(program, &status, 0);
  kill(sim, SIGTERM);
  waitpid(sim, nullptr, 0);
  for (const char* f : {"archive.sqlite", "archive.sqlite-wal", "archive.sqlite-shm"})
    fs::remove(dir / f, ec);
  std::printf("start-bench: %s, %.0f s at %d times, archive %s (%.0f MB)\n",
              station ? "tavik-station" : "tavik", seconds, scale, argv[1],
              static_cast<double>(fs::file_size(argv[1])) / 1e6);
  std::printf("launch to the port being open: %.1f ms\n", openMs);
  std::printf("launch to the first web page written: %.1f ms (%.1f ms after the port)\n", pageMs,
              pageMs - openMs);
  std::printf(
      "longest stretch away from the event loop: %.1f ms (%.1f ms of CPU, %.1f ms waiting for "
      "a processor; %.1f s after the launch, kernel function '%s')\n",
      longestMs, longestCpu, longestWait, longestAt / 1000, longestWhere.c_str());
  std::printf("stretch of most CPU time: %.1f ms of CPU in %.1f ms\n", mostCpu, mostCpuMs);
  std::printf("samples of the main thread: %ld\n", samples);
  std::printf("peak resident memory: %ld KiB\n", peak);
  std::printf("program output: %s\n", (dir / "program.log").c_str());
  return 0;
}
