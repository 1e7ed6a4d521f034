// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A hostile serial line for the end-to-end tests of tavik and tavik-station:
// a pseudo-terminal that the test drives, carrying the simulator's groups
// mixed with random bytes or with runs of group bytes; and a count of the
// values in the products that no weather can have.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "program_process.h"

namespace tavik::e2e {

class HostileLine {
 public:
  enum class Noise { RandomBytes, GroupBytes };

  // The pseudo-terminal behind `link`, and `groups` of the simulator's
  // groups made in `dir` (tavik-sim writing to a file), sent again from
  // their start once they are used up.
  HostileLine(const fs::path& link, const fs::path& dir, int groups = 3000) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
      throw std::runtime_error("no pseudo-terminal");
    const std::string slave = ptsname(master_);
    // Raw from the start, so that nothing is echoed or translated before the
    // program sets the line up itself.
    const int fd = open(slave.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios t{};
    if (fd < 0 || tcgetattr(fd, &t) != 0) throw std::runtime_error("cannot set up " + slave);
    cfmakeraw(&t);
    tcsetattr(fd, TCSANOW, &t);
    close(fd);
    fs::create_symlink(slave, link);
    const fs::path file = dir / "groups.bin";
    const std::string command = std::string(TAVIK_SIM_BINARY) + " --seed 7 --count " +
                                std::to_string(groups) + " --out " + file.string() + " > /dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("tavik-sim failed");
    groups_ = rawFile(file);
  }
  ~HostileLine() { close(master_); }
  HostileLine(const HostileLine&) = delete;
  HostileLine& operator=(const HostileLine&) = delete;

  // Every 50 ms: the next `groups` of the console's groups (six are ten
  // seconds of its line), then `noiseBytes` of noise; for at least `least`,
  // and then on until `done` holds, or `most` has passed; `done` is asked
  // after each 50 ms. Whether it held. The noise comes last so that whatever
  // it might bring into the record stays there until the next groups, while
  // the timers write.
  bool send(std::chrono::milliseconds least, std::chrono::milliseconds most, Noise noise,
            size_t noiseBytes, int groups, const std::function<bool()>& done) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
      std::string chunk = nextGroups(groups);
      chunk += this->noise(noise, noiseBytes);
      write(chunk);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      const auto spent = std::chrono::steady_clock::now() - start;
      const bool held = done();
      if (spent >= least && held) return true;
      if (spent >= most) return false;
    }
  }
  // `bytes` of noise at once, as fast as the line takes them; whether the
  // program has taken all but what the line holds within `patience`.
  bool flood(Noise kind, size_t bytes, std::chrono::milliseconds patience) {
    return write(noise(kind, bytes), std::chrono::steady_clock::now() + patience);
  }
  uint64_t noiseSent() const { return noiseSent_; }

  // Waits until a program holds the line open (the master hangs up while
  // nobody does); whether one does within `patience`.
  bool waitForReader(std::chrono::milliseconds patience) const {
    const auto end = std::chrono::steady_clock::now() + patience;
    do {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, 0) >= 0 && (p.revents & POLLHUP) == 0) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    } while (std::chrono::steady_clock::now() < end);
    return false;
  }

 private:
  std::string noise(Noise kind, size_t n) {
    static constexpr uint8_t kStarts[] = {0x8F, 0x9F, 0xAF, 0xBF, 0xCF};
    std::string bytes(n, '\0');
    for (char& b : bytes)
      b = static_cast<char>(kind == Noise::RandomBytes ? rng_() & 0xFF : kStarts[rng_() % 5]);
    noiseSent_ += n;
    return bytes;
  }
  static size_t groupLength(uint8_t groupByte) {
    switch (groupByte) {
      case 0x8F:
        return 35;
      case 0x9F:
        return 34;
      case 0xAF:
        return 31;
      case 0xBF:
        return 14;
      default:
        return 27;
    }
  }
  // The next `count` groups of the simulator's line, from its start again at
  // its end.
  std::string nextGroups(int count) {
    std::string out;
    for (int i = 0; i < count; ++i) {
      if (at_ >= groups_.size()) at_ = 0;
      const size_t length = groupLength(static_cast<uint8_t>(groups_[at_]));
      out += groups_.substr(at_, length);
      at_ += length;
    }
    return out;
  }
  // Writes all of it, or what the line takes until `deadline`; whether it
  // wrote all. What the line echoes back, if anything, is dropped.
  bool write(const std::string& bytes, std::chrono::steady_clock::time_point deadline =
                                           std::chrono::steady_clock::time_point::max()) {
    size_t done = 0;
    char sink[4096];
    while (done < bytes.size()) {
      if (std::chrono::steady_clock::now() >= deadline) return false;
      const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
      if (n > 0) done += static_cast<size_t>(n);
      while (::read(master_, sink, sizeof sink) > 0) {
      }
      if (n <= 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
  }

  int master_ = -1;
  std::string groups_;
  size_t at_ = 0;
  std::mt19937_64 rng_{2026};
  uint64_t noiseSent_ = 0;
};

// The Wetterlog file in `dir`, an empty path while there is none.
inline fs::path weatherLogIn(const fs::path& dir) {
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string name = e.path().filename().string();
    if (name.size() == 13 && name[0] == 't' && name.ends_with(".txt")) return e.path();
  }
  return {};
}

// What a program has written in `dir` so far, looked at between the line's
// chunks: every version of the APRS file, the Wetterlog's line count, and
// the refusals its `output` file tells.
class ProductWatch {
 public:
  ProductWatch(const fs::path& dir, const fs::path& output, std::set<std::string>& aprsVersions)
      : dir_(dir), output_(output), aprsVersions_(aprsVersions) {}
  void look() {
    const std::string frame = rawFile(dir_ / "aprs.txt");
    if (!frame.empty()) aprsVersions_.insert(frame);
    const fs::path log = weatherLogIn(dir_);
    logLines_ = log.empty() ? 0 : lines(rawFile(log)).size();
    refusals_ = countOf(rawFile(output_), "Unmögliche Werte verworfen: Datengruppe ");
  }
  size_t aprsVersions() const { return aprsVersions_.size(); }
  size_t logLines() const { return logLines_; }
  int refusals() const { return refusals_; }

 private:
  fs::path dir_;
  fs::path output_;
  std::set<std::string>& aprsVersions_;
  size_t logLines_ = 0;
  int refusals_ = 0;
};

// How a hostile line is fed: each kind of noise alone for `alone`, then each
// mixed into the console's groups for at least `least` and until it has
// brought `logLines` new Wetterlog lines and `aprsFiles` new APRS files (the
// last kind also the program's telling of refused values), for at most
// `patience`. Every 50 ms `groups` groups go out, then `noiseBytes` of noise.
struct NoiseSchedule {
  std::chrono::milliseconds alone{0}, least{0}, patience{30000};
  size_t noiseBytes = 50;
  int groups = 1;
  size_t logLines = 1, aprsFiles = 1;
};

// Feeds the line as `schedule` says and looks at the products on the way;
// whether each kind among the groups brought them within its patience.
inline bool sendNoise(HostileLine& line, ProductWatch& watch, const NoiseSchedule& schedule) {
  using Noise = HostileLine::Noise;
  for (const Noise kind : {Noise::RandomBytes, Noise::GroupBytes}) {
    line.send(schedule.alone, schedule.alone, kind, schedule.noiseBytes, 0, [&] {
      watch.look();
      return true;
    });
  }
  bool written = true;
  for (const Noise kind : {Noise::RandomBytes, Noise::GroupBytes}) {
    const size_t logLines = watch.logLines() + schedule.logLines;
    const size_t versions = watch.aprsVersions() + schedule.aprsFiles;
    const bool last = kind == Noise::GroupBytes;
    written &= line.send(
        schedule.least, schedule.patience, kind, schedule.noiseBytes, schedule.groups, [&] {
          watch.look();
          return watch.logLines() >= logLines && watch.aprsVersions() >= versions &&
                 (!last || watch.refusals() > 0);
        });
  }
  return written;
}

// How long tavik (the window, offscreen) is fed each kind of noise: first
// alone, then mixed into the console's groups; its clock runs `timeScale`
// times as fast. Each kind mixed into the groups goes on for at least
// `noiseWithGroups` and until it has brought a new Wetterlog row and a new
// APRS file (and the last one the program's telling of refused values), for
// at most `patience`.
struct HostileSchedule {
  int timeScale = 30;
  std::chrono::milliseconds noiseAlone{1000};
  std::chrono::milliseconds noiseWithGroups{6000};
  std::chrono::milliseconds patience{30000};
};

// What tavik wrote on the hostile line.
struct ProductsOfHostileLine {
  bool portOpened = false;
  // Whether each kind of noise among the groups brought what the schedule
  // waits for within its patience.
  bool productsWritten = false;
  int exitStatus = -1;
  std::vector<std::string> logRows;  // the Wetterlog's lines, its header first
  std::set<std::string> aprsVersions;
  std::string output;  // standard output and error
};

// A copy of `tavik` in `dir` as its program folder, reading the console on
// `link`, with the Wetterlog and the APRS file once a (scaled) minute; and
// the program started offscreen with its clock `timeScale` times as fast.
// It starts in an empty folder of its own: its file dialogs keep an eye on
// the folder it starts in, and a shared one such as /tmp keeps them busy.
inline std::unique_ptr<Child> startTavik(const fs::path& tavik, const fs::path& dir,
                                         const fs::path& link, int timeScale) {
  fs::copy_file(tavik, dir / "tavik");
  fs::create_directory(dir / "start");
  writeRaw(dir / "tavout.ini",
           "[Alles]\r\nComport=" + link.string() +
               "\r\nActiveAtStratup=1\r\nAPRSIntervall=1\r\n[Wetterlog]\r\nLogInterval=60000\r\n");
  return std::make_unique<Child>(
      std::vector<std::string>{(dir / "tavik").string()},
      std::vector<std::string>{"QT_QPA_PLATFORM=offscreen",
                               "TAVIK_TIME_SCALE=" + std::to_string(timeScale)},
      dir / "tavik.out", dir / "start");
}

// Runs tavik on a hostile line and collects every version of the APRS file
// while the line runs.
inline ProductsOfHostileLine runTavikOnHostileLine(const fs::path& tavik,
                                                   const HostileSchedule& schedule) {
  char pattern[] = "/tmp/tavik-hostile-XXXXXX";
  const fs::path dir = mkdtemp(pattern);
  ProductsOfHostileLine result;
  const fs::path link = dir / "console";
  {
    HostileLine line(link, dir);
    const std::unique_ptr<Child> started = startTavik(tavik, dir, link, schedule.timeScale);
    Child& program = *started;
    result.portOpened = program.started() && line.waitForReader(std::chrono::seconds(30));
    if (result.portOpened) {
      // One group goes out every 50 ms, as fast as the console's own line
      // when the clock runs 30 times as fast, and the noise has the line's
      // own rate, about 1000 bytes a second.
      ProductWatch watch(dir, dir / "tavik.out", result.aprsVersions);
      result.productsWritten = sendNoise(line, watch,
                                         {.alone = schedule.noiseAlone,
                                          .least = schedule.noiseWithGroups,
                                          .patience = schedule.patience});
    }
    result.exitStatus = program.stop(std::chrono::seconds(30));
    if (const fs::path log = weatherLogIn(dir); !log.empty()) result.logRows = lines(rawFile(log));
    result.output = rawFile(dir / "tavik.out");
  }
  fs::remove_all(dir);
  return result;
}

// A number the products print is possible when it lies in [lo, hi].
struct Bounds {
  const char* name;
  double lo, hi;
};

inline std::vector<std::string> words(const std::string& row) {
  std::istringstream in(row);
  std::vector<std::string> out;
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

// The values of the Wetterlog rows (the header line left out) that no
// weather can have, as "column=value" texts.
inline std::vector<std::string> impossibleInWeatherLog(const std::vector<std::string>& rows) {
  // Date and time, eight numbers, the trend and forecast words (either may
  // be empty), four numbers.
  static const Bounds kFront[] = {{"FeuchtO", 0, 99},   {"FeuchtI", 0, 99},  {"TempI", -70, 70},
                                  {"TempO", -70, 70},   {"TaupI", 0, 70},    {"TaupO", 0, 70},
                                  {"BaroL", 500, 1100}, {"BaroS", 850, 1100}};
  static const Bounds kBack[] = {
      {"Regen", 0, 999}, {"WindS", 0, 99.9}, {"WindR", 0, 359}, {"Chill", -99, 70}};
  std::vector<std::string> out;
  for (size_t r = 1; r < rows.size(); ++r) {
    const std::vector<std::string> w = words(rows[r]);
    if (w.size() < 14) {
      out.push_back("row=" + rows[r]);
      continue;
    }
    auto check = [&out](const Bounds& b, const std::string& text) {
      const double v = std::strtod(text.c_str(), nullptr);
      if (v < b.lo || v > b.hi) out.push_back(std::string(b.name) + "=" + text);
    };
    for (size_t i = 0; i < 8; ++i) check(kFront[i], w[2 + i]);
    for (size_t i = 0; i < 4; ++i) check(kBack[i], w[w.size() - 4 + i]);
  }
  return out;
}

// The values of an APRS file's weather line that no weather can have: wind
// direction, average wind and gust (mph), temperature (°F), humidity (00 is
// 100 %) and sea-level pressure (tenths of hPa).
inline std::vector<std::string> impossibleInAprs(const std::string& file) {
  static const std::regex kLine(R"((\d+)/(\d+)g(\d+)t(-?\d+)h(\d+)b(\d+)r)");
  static const Bounds kFields[] = {{"dir", 0, 360},    {"wind", 0, 224},    {"gust", 0, 224},
                                   {"temp", -94, 158}, {"humidity", 0, 99}, {"baro", 8500, 11000}};
  std::smatch m;
  if (!std::regex_search(file, m, kLine)) return {"frame=" + file};
  std::vector<std::string> out;
  for (size_t i = 0; i < 6; ++i) {
    const double v = std::strtod(m[i + 1].str().c_str(), nullptr);
    if (v < kFields[i].lo || v > kFields[i].hi)
      out.push_back(kFields[i].name + ("=" + m[i + 1].str()));
  }
  return out;
}

}  // namespace tavik::e2e
