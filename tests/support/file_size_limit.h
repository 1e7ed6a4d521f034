// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Running a piece of a test as on a full disk: in a forked child whose files
// may not grow beyond a size (RLIMIT_FSIZE). A write across the limit stores
// what fits and returns the short count; the next one fails with EFBIG.

#include <signal.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

namespace tavik::testing {

// Runs `work` in a child process with the file size limit and returns the
// value it returned (0..255), or -1 when the child did not end normally.
inline int runWithFileSizeLimit(rlim_t limit, const std::function<int()>& work) {
  const pid_t pid = ::fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &small);
    ::_exit(work());
  }
  int status = 0;
  pid_t waited;
  do {
    waited = ::waitpid(pid, &status, 0);
  } while (waited < 0 && errno == EINTR);
  if (waited < 0) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tavik::testing
