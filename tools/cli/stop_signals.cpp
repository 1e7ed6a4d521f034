// SPDX-License-Identifier: GPL-3.0-or-later
#include "stop_signals.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace tavik {

StopSignals::StopSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  signal(SIGPIPE, SIG_IGN);
  if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0)
    throw std::system_error(errno, std::generic_category(), "sigprocmask");
  fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "signalfd");
}

StopSignals::~StopSignals() { close(fd_); }

bool StopSignals::arrived() {
  signalfd_siginfo info;
  while (!arrived_ && read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info))
    arrived_ = true;
  return arrived_;
}

}  // namespace tavik
