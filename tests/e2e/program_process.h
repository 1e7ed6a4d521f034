// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A program under test as a child process, and the small waits and file reads
// the end-to-end tests of tavik and tavik-station share.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "child_process.h"
#include "common/text_file.h"

namespace tavik::e2e {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// A child process with its standard output and error in a file.
class Child {
 public:
  Child(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
        const fs::path& output, const fs::path& workDir)
      : pid_(spawnProcess(argv, extraEnv, output, workDir)) {}
  ~Child() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  void signal(int sig) const { kill(pid_, sig); }
  // Waits up to `patience` for the end; the exit status, -1 when it did not
  // end in time, or 128 + n when signal n ended it.
  int wait(std::chrono::milliseconds patience) {
    const auto end = std::chrono::steady_clock::now() + patience;
    do {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(20ms);
    } while (std::chrono::steady_clock::now() < end);
    return -1;
  }
  // Sends SIGTERM and waits.
  int stop(std::chrono::milliseconds patience = 20s) {
    signal(SIGTERM);
    return wait(patience);
  }
  // Sends SIGTERM and waits like stop(); `idle` is how long, from the signal
  // to the end, neither the program's threads nor a process it started were
  // running or waiting for a processor: the time a program spends that
  // blocks or waits for a timer on its way out, which a busy machine does not
  // lengthen. Negative when the scheduler's accounting cannot be read.
  int stopMeasuringIdle(std::chrono::milliseconds patience, std::chrono::milliseconds& idle) {
    idle = -1ms;
    std::map<pid_t, std::pair<long long, long long>> tasks;  // first and last busy ns
    const auto sample = [&](bool atSignal) {
      for (const pid_t tid : programTasks()) {
        const long long busy = busyNanoseconds(tid);
        if (busy < 0) continue;
        auto [it, added] = tasks.try_emplace(tid, atSignal ? busy : 0, busy);
        it->second.second = busy;
      }
    };
    sample(true);
    const bool readable = tasks.count(pid_) == 1;
    const auto sent = std::chrono::steady_clock::now();
    signal(SIGTERM);
    const auto end = sent + patience;
    siginfo_t info{};
    // Ended, but not reaped yet: the main thread's accounting can still be
    // read.
    while (waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == 0) {
      if (std::chrono::steady_clock::now() >= end) return -1;
      sample(false);
      std::this_thread::sleep_for(5ms);
    }
    const auto ended = std::chrono::steady_clock::now();
    sample(false);
    long long busy = 0;
    for (const auto& [tid, span] : tasks) busy += span.second - span.first;
    if (readable) {
      idle = std::max(0ms, std::chrono::duration_cast<std::chrono::milliseconds>(
                               ended - sent - std::chrono::nanoseconds(busy)));
    }
    return wait(patience);
  }

 private:
  // The program's threads and those of the processes it started.
  std::vector<pid_t> programTasks() const {
    std::vector<pid_t> tasks;
    const auto threadsOf = [&tasks](pid_t pid) {
      std::error_code ec;
      for (const auto& e : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
        tasks.push_back(static_cast<pid_t>(std::stol(e.path().filename().string())));
      }
    };
    threadsOf(pid_);
    for (const pid_t tid : std::vector<pid_t>(tasks)) {
      std::ifstream children("/proc/" + std::to_string(pid_) + "/task/" + std::to_string(tid) +
                             "/children");
      for (pid_t child; children >> child;) threadsOf(child);
    }
    return tasks;
  }
  // A task's time on a processor plus its time waiting in the run queue, in
  // nanoseconds; -1 when it cannot be read.
  static long long busyNanoseconds(pid_t tid) {
    std::ifstream in("/proc/" + std::to_string(tid) + "/task/" + std::to_string(tid) +
                     "/schedstat");
    long long ran = 0, queued = 0;
    if (!(in >> ran >> queued)) return -1;
    return ran + queued;
  }

  pid_t pid_ = -1;
};

inline bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(50ms);
  }
  return condition();
}

// A text file as the program stores it, converted to UTF-8 with "\n" line ends.
inline std::string readFile(const fs::path& path) {
  std::string text;
  return readTextFile(path, text) ? text : std::string();
}

inline std::string rawFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

inline void writeRaw(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(line);
  }
  return out;
}

inline int countOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// A pseudo-terminal console: tavik-sim sending at `speed` times the pace.
inline std::unique_ptr<Child> startSimulator(const fs::path& link, const fs::path& dir, int speed,
                                             const std::vector<std::string>& prefix = {}) {
  std::vector<std::string> argv = prefix;
  for (const std::string& a :
       {std::string(TAVIK_SIM_BINARY), std::string("--link"), link.string(), std::string("--speed"),
        std::to_string(speed), std::string("--seed"), std::string("7")}) {
    argv.push_back(a);
  }
  auto sim = std::make_unique<Child>(argv, std::vector<std::string>{}, dir / "sim.out", dir);
  if (!sim->started() || !waitFor([&] { return fs::exists(link); }, 10s)) return nullptr;
  return sim;
}

}  // namespace tavik::e2e
