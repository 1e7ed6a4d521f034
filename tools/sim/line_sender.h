// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

#include "cli/stop_signals.h"
#include "pty.h"

namespace tavik {

// Writes the console's bytes to a non-blocking descriptor, each transmission
// at its due time, and waits with poll in between. A line nobody reads
// never makes the simulator wait or spin: what cannot be written is held up
// to a limit and the oldest bytes are dropped beyond it, as on a real line;
// on a pseudo-terminal, bytes that nobody has read for two seconds are thrown
// away so that a reader who comes later starts with current groups.
class LineSender {
 public:
  using Clock = std::chrono::steady_clock;
  enum class State { Running, Stopped, ReaderGone, Failed };

  // `pty` may be null. `paced` false writes everything at once (a file).
  LineSender(int fd, PseudoTerminal* pty, StopSignals& stop, bool paced);

  // Keeps writing until `due` (at once when not paced). Returns false when
  // the sender should end (see state()).
  bool waitUntil(Clock::time_point due);
  // Queues `bytes` and writes what the line takes (all of it when not
  // paced). Returns false when the sender should end.
  bool queue(std::span<const uint8_t> bytes);
  // Writes what is queued and, on a pseudo-terminal, waits up to `limit` for
  // a reader to take it.
  void finish(Clock::duration limit);

  State state() const { return state_; }
  int error() const { return error_; }

 private:
  bool pump(Clock::time_point until, bool drain);
  void writeSome();
  void discardStale();

  int fd_;
  PseudoTerminal* pty_;
  StopSignals& stop_;
  bool paced_;
  std::vector<uint8_t> pending_;
  Clock::time_point lastDrained_;  // when the pseudo-terminal last had nothing unread
  State state_ = State::Running;
  int error_ = 0;
};

}  // namespace tavik
