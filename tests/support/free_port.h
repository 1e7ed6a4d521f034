// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tavik::test {

// A TCP port on 127.0.0.1 that nothing listens on right now, for a server the
// test starts itself; -1 when none could be had.
inline int freeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof a;
  const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&a), size) == 0 &&
                     ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size) == 0;
  if (fd >= 0) ::close(fd);
  return bound ? ntohs(a.sin_port) : -1;
}

}  // namespace tavik::test
