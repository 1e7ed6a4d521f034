// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_sender.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tavik {
namespace {

using namespace std::chrono_literals;

// About a minute of the console's bytes at 9600 baud.
constexpr size_t kMaxPending = 64 * 1024;
// Bytes on a pseudo-terminal left unread for this long have no reader.
constexpr auto kNoReader = 2s;

int millisecondsUntil(LineSender::Clock::time_point t) {
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(t - LineSender::Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, 60'000));
}

}  // namespace

LineSender::LineSender(int fd, PseudoTerminal* pty, StopSignals& stop, bool paced)
    : fd_(fd), pty_(pty), stop_(stop), paced_(paced), lastDrained_(Clock::now()) {}

bool LineSender::waitUntil(Clock::time_point due) { return !paced_ || pump(due, false); }

bool LineSender::queue(std::span<const uint8_t> bytes) {
  if (pty_) discardStale();
  pending_.insert(pending_.end(), bytes.begin(), bytes.end());
  if (pending_.size() > kMaxPending) pending_.erase(pending_.begin(), pending_.end() - kMaxPending);
  return paced_ ? (writeSome(), state_ == State::Running) : pump(Clock::now(), true);
}

void LineSender::finish(Clock::duration limit) {
  const Clock::time_point until = Clock::now() + limit;
  if (!pump(until, true) || !pty_) return;
  // Give a reader the chance to take the rest before the line goes away.
  // Bytes on their way through the pseudo-terminal do not count as unread
  // yet, so the line must look empty twice, a moment apart.
  for (int emptyLooks = 0; emptyLooks < 2 && Clock::now() < until && !stop_.arrived();) {
    emptyLooks = pty_->unread() == 0 ? emptyLooks + 1 : 0;
    pollfd p{stop_.fd(), POLLIN, 0};
    poll(&p, 1, emptyLooks > 0 ? 100 : 20);
  }
}

// Writes while waiting until `until`; with `untilEmpty`, also until nothing
// is queued (a time in the past then means "as long as it takes").
bool LineSender::pump(Clock::time_point until, bool untilEmpty) {
  for (;;) {
    if (stop_.arrived()) state_ = State::Stopped;
    writeSome();
    if (state_ != State::Running) return false;
    const Clock::time_point now = Clock::now();
    if (untilEmpty ? pending_.empty() || (paced_ && now >= until) : now >= until) return true;

    const Clock::time_point wake = untilEmpty && !paced_ ? now + 1min : until;
    pollfd fds[2] = {{stop_.fd(), POLLIN, 0}, {fd_, POLLOUT, 0}};
    poll(fds, pending_.empty() ? 1 : 2, millisecondsUntil(wake));
  }
}

void LineSender::discardStale() {
  const Clock::time_point now = Clock::now();
  if (pty_->unread() == 0) {
    lastDrained_ = now;
  } else if (now - lastDrained_ >= kNoReader) {
    pty_->discardUnread();
    lastDrained_ = now;
  }
}

void LineSender::writeSome() {
  while (!pending_.empty() && state_ == State::Running) {
    const ssize_t n = write(fd_, pending_.data(), pending_.size());
    if (n > 0) {
      pending_.erase(pending_.begin(), pending_.begin() + n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return;
    } else {
      error_ = n < 0 ? errno : EIO;
      state_ = error_ == EPIPE ? State::ReaderGone : State::Failed;
    }
  }
}

}  // namespace tavik
