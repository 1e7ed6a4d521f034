// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-sim: the station console on a pseudo-terminal, a device or a file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <system_error>

#include "cli/stop_signals.h"
#include "common/command_line.h"
#include "console_simulator.h"
#include "history_log.h"
#include "line_sender.h"
#include "pty.h"
#include "sim_command_line.h"

namespace tavik {
namespace {

constexpr int kUsageStatus = 2;

// Where the bytes go: a pseudo-terminal of our own, or a descriptor opened
// for --out.
struct Line {
  std::unique_ptr<PseudoTerminal> pty;
  int fd = -1;
  bool ownFd = false;
  bool paced = true;
  int savedFlags = -1;  // of standard output, which the shell shares
  ~Line() {
    if (ownFd) close(fd);
    if (savedFlags >= 0) fcntl(fd, F_SETFL, savedFlags);
  }
};

void openOut(const std::string& path, Line& line) {
  if (path == "-") {
    line.fd = STDOUT_FILENO;
  } else {
    line.fd = open(path.c_str(), O_WRONLY | O_CREAT | O_NOCTTY | O_CLOEXEC, 0644);
    if (line.fd < 0) throw UsageError(path + " lässt sich nicht öffnen: " + std::strerror(errno));
    line.ownFd = true;
  }
  struct stat st {};
  fstat(line.fd, &st);
  line.paced = !S_ISREG(st.st_mode);
  if (S_ISREG(st.st_mode) && line.ownFd && ftruncate(line.fd, 0) != 0)
    throw UsageError(path + " lässt sich nicht leeren: " + std::strerror(errno));
  if (!line.paced) return;
  const int flags = fcntl(line.fd, F_GETFL);
  if (!line.ownFd) line.savedFlags = flags;
  fcntl(line.fd, F_SETFL, flags | O_NONBLOCK);
  if (line.ownFd) setRawMode(line.fd);  // a serial device; leave the user's terminal alone
}

void makeLink(const std::string& link, const std::string& target) {
  struct stat st {};
  if (lstat(link.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode))
      throw UsageError(link + " gibt es schon, und es ist kein symbolischer Link");
    unlink(link.c_str());
  }
  if (symlink(target.c_str(), link.c_str()) != 0)
    throw UsageError("der Link " + link + " lässt sich nicht anlegen: " + std::strerror(errno));
}

// A file beside the line (--capture, --truth); not opened for an empty path.
std::ofstream openRecord(const std::string& path) {
  std::ofstream file;
  if (path.empty()) return file;
  file.open(path, std::ios::binary | std::ios::trunc);
  if (!file) throw UsageError(path + " lässt sich nicht öffnen");
  return file;
}

bool due(const SimCommandLine& c, uint64_t sent, const Transmission& t) {
  return (!c.count || sent < *c.count) && (!c.duration || t.at <= *c.duration);
}

int run(const SimCommandLine& c) {
  StopSignals stop;
  // The console's clock shows the PC's time, unless a moment was chosen; a
  // history runs it the history's hours earlier and ahead to that moment.
  const LocalDateTime live = c.clock ? *c.clock : SystemClock().now();
  const HistoryLog history;
  const double lead = c.history.empty() ? 0 : history.seconds;
  const LocalDateTime consoleStart = addSeconds(live, -std::llround(lead));
  SimulatorOptions options = c.simulator;
  options.clockStart = WeatherModel::secondOfYear(consoleStart);
  ConsoleSimulator simulator(options);
  // Written before the line is there, so that whoever waits for the line
  // finds the history whole.
  Transmission t = c.history.empty() ? simulator.next()
                                     : writeHistoryLog(simulator, consoleStart, history, c.history);

  Line line;
  if (c.out) {
    openOut(*c.out, line);
    if (!line.paced && !c.count && !c.duration)
      throw UsageError("eine Datei braucht --count oder --duration");
  } else {
    line.pty = std::make_unique<PseudoTerminal>();
    line.fd = line.pty->masterFd();
    if (!c.link.empty()) makeLink(c.link, line.pty->slavePath());
    std::cout << line.pty->slavePath() << std::endl;
  }
  std::ofstream capture = openRecord(c.capture);
  std::ofstream truth = openRecord(c.truth);

  LineSender sender(line.fd, line.pty.get(), stop, line.paced);
  const auto start = LineSender::Clock::now();
  uint64_t sent = 0;
  uint64_t offset = 0;  // of the transmission's first byte in the stream
  for (; due(c, sent, t); ++sent) {
    const auto at = start + std::chrono::duration_cast<LineSender::Clock::duration>(
                                std::chrono::duration<double>(t.at / c.speed));
    if (!sender.waitUntil(at)) break;
    // Captured before it goes out, and flushed at once on a live line, so
    // that whoever reads the capture while the simulator runs finds every
    // group a reader of the line can have seen.
    if (capture.is_open()) {
      capture.write(reinterpret_cast<const char*>(t.bytes.data()),
                    static_cast<std::streamsize>(t.bytes.size()));
      if (line.paced) capture.flush();
    }
    if (truth.is_open()) {
      truth << truthLine(offset, t);
      if (line.paced) truth.flush();
    }
    offset += t.bytes.size();
    if (!sender.queue(t.bytes)) break;
    t = simulator.next();
    t.at -= lead;
  }
  if (sender.state() == LineSender::State::Running) sender.finish(std::chrono::seconds(5));
  if (!c.link.empty()) unlink(c.link.c_str());
  capture.flush();
  truth.flush();

  if (sender.state() == LineSender::State::Failed) {
    std::cerr << "tavik-sim: write failed: " << std::strerror(sender.error()) << '\n';
    return 1;
  }
  for (const auto& [file, path] : {std::pair{&capture, &c.capture}, std::pair{&truth, &c.truth}}) {
    if (file->is_open() && file->fail()) {
      std::cerr << "tavik-sim: cannot write " << *path << '\n';
      return 1;
    }
  }
  return 0;
}

}  // namespace
}  // namespace tavik

int main(int argc, char** argv) {
  try {
    const tavik::SimCommandLine c = tavik::parseSimCommandLine(argc, argv);
    if (c.help) {
      std::cout << tavik::kSimUsage;
      return 0;
    }
    if (c.version) {
      std::cout << tavik::versionText("tavik-sim");
      return 0;
    }
    return tavik::run(c);
  } catch (const tavik::UsageError& e) {
    std::cerr << "tavik-sim: " << e.what() << "\n" << tavik::kSimUsage;
    return tavik::kUsageStatus;
  } catch (const std::system_error& e) {
    std::cerr << "tavik-sim: " << e.what() << '\n';
    return 1;
  }
}
