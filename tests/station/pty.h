// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavik::test {

// A pseudo-terminal: the test writes to the master, the port opens the slave.
class Pty {
 public:
  Pty() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
      throw std::runtime_error("no pseudo-terminal");
    }
    slave_ = ptsname(master_);
  }
  ~Pty() { closeMaster(); }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  const std::string& slavePath() const { return slave_; }
  void write(const std::vector<uint8_t>& bytes) const {
    if (::write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
      throw std::runtime_error("short write to the pseudo-terminal");
    }
  }
  void closeMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string slave_;
};

// A device name that can be pointed at another pseudo-terminal, so that a
// line that went away can come back under the same name.
class PtyLink {
 public:
  explicit PtyLink(const std::string& tag)
      : dir_(std::filesystem::temp_directory_path() /
             ("tavik-" + tag + "-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(dir_);
  }
  ~PtyLink() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  PtyLink(const PtyLink&) = delete;
  PtyLink& operator=(const PtyLink&) = delete;

  std::string path() const { return (dir_ / "station").string(); }
  // The pseudo-terminal must stay open for as long as the link points at it:
  // the number of a closed one soon belongs to another program's terminal.
  void pointAt(const Pty& pty) const { pointAt(pty.slavePath()); }
  // Points the link at a path that does not exist, so that a port that
  // reopens it finds nothing; done before a test closes the pty it pointed at.
  void pointAtNothing() const { pointAt((dir_ / "nothing").string()); }

 private:
  void pointAt(const std::string& target) const {
    std::filesystem::remove(dir_ / "next");
    std::filesystem::create_symlink(target, dir_ / "next");
    std::filesystem::rename(dir_ / "next", dir_ / "station");
  }

  std::filesystem::path dir_;
};

// A fresh folder under the system's temporary folder (for lock files),
// removed at the end.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavik-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// CPU time used by the whole process so far.
inline double cpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// The calling thread's time on a processor plus its time waiting in the run
// queue, in seconds: what a thread that spins takes of the wall time however
// busy the machine is, while one that sleeps takes little of it. -1 when the
// scheduler's accounting cannot be read.
inline double runnableSeconds() {
  std::ifstream in("/proc/thread-self/schedstat");
  long long ran = 0, queued = 0;
  if (!(in >> ran >> queued)) return -1;
  return static_cast<double>(ran + queued) / 1e9;
}

}  // namespace tavik::test
