// SPDX-License-Identifier: GPL-3.0-or-later
#include "pty.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace tavik {
namespace {

[[noreturn]] void fail(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master_ < 0) fail("posix_openpt");
  char name[128];
  if (grantpt(master_) != 0 || unlockpt(master_) != 0 ||
      ptsname_r(master_, name, sizeof name) != 0) {
    const int saved = errno;
    close(master_);
    errno = saved;
    fail("pseudo-terminal");
  }
  slavePath_ = name;
  slave_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (slave_ < 0) {
    const int saved = errno;
    close(master_);
    errno = saved;
    fail(name);
  }
  setRawMode(slave_);
}

PseudoTerminal::~PseudoTerminal() {
  close(slave_);
  close(master_);
}

int PseudoTerminal::unread() const {
  int n = 0;
  return ioctl(slave_, FIONREAD, &n) == 0 ? n : 0;
}

void PseudoTerminal::discardUnread() { tcflush(slave_, TCIFLUSH); }

void setRawMode(int fd) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return;  // not a terminal: nothing to set
  cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS | CSTOPB | PARENB);
  cfsetispeed(&t, B9600);
  cfsetospeed(&t, B9600);
  tcsetattr(fd, TCSANOW, &t);
}

}  // namespace tavik
