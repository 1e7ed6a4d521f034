// SPDX-License-Identifier: GPL-3.0-or-later
// The port is Tavik's alone: lock files, other holders, a killed holder, and
// the reason a device cannot be taken.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "pty.h"
#include "station/process_name.h"
#include "station/serial_port.h"

namespace tavik {
namespace {

using test::Pty;
using test::TempFolder;

std::string readFile(const std::string& path) {
  std::string text(64, '\0');
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return "<missing>";
  const ssize_t n = read(fd, text.data(), text.size());
  close(fd);
  text.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return text;
}

void writeFile(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs(text.c_str(), f);
  std::fclose(f);
}

std::string lockText(pid_t pid) {
  char text[16];
  std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(pid));
  return text;
}

// A process that only waits to be killed; optionally holding `path` open
// (and nothing else this process holds, such as a pseudo-terminal's master),
// in exclusive mode when `exclusive`.
pid_t sleeper(const std::string& path = "", bool exclusive = false) {
  const pid_t pid = fork();
  if (pid == 0) {
    close_range(3, ~0U, 0);
    if (path.empty()) {
      for (;;) pause();
    }
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
    if (fd < 0 || (exclusive && ioctl(fd, TIOCEXCL) != 0)) _exit(1);
    for (;;) pause();
  }
  return pid;
}

// A process that makes a pseudo-terminal and holds both its sides, as the
// simulator does; writes the terminal side's path to `pathPipe` first.
pid_t ptyMaker(int pathPipe) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) _exit(1);
    const char* name = ptsname(master);
    if (name == nullptr || open(name, O_RDWR | O_NOCTTY) < 0) _exit(1);
    (void)!write(pathPipe, name, std::strlen(name));
    close(pathPipe);
    for (;;) pause();
  }
  return pid;
}

void reap(pid_t pid) {
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

// Runs `body` in a child process as the user nobody and returns its exit
// status; -1 when the child did not exit normally.
int asNobody(const std::function<int()>& body) {
  const passwd* nobody = getpwnam("nobody");
  if (nobody == nullptr) return -1;
  const uid_t uid = nobody->pw_uid;
  const gid_t gid = nobody->pw_gid;
  const pid_t pid = fork();
  if (pid == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0) _exit(100);
    _exit(body());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// 0 when the port opens, otherwise 10 + the kind of failure.
int openStatus(const std::string& device, const std::string& locks) {
  SerialPort port;
  port.setPortName(device);
  port.setLockFolder(locks);
  try {
    port.Open();
  } catch (const PortError& e) {
    return 10 + static_cast<int>(e.failure());
  }
  return 0;
}

TEST(PortClaim, LockFileNamesUsWhileTheDeviceIsOpen) {
  Pty pty;
  const TempFolder locks;
  SerialPort port;
  port.setPortName(pty.slavePath());
  port.setLockFolder(locks.path());
  const std::string file = locks.path() + "/" + DeviceLock::fileName(pty.slavePath());
  EXPECT_EQ(DeviceLock::fileName(pty.slavePath()),
            "LCK..pts_" + pty.slavePath().substr(pty.slavePath().rfind('/') + 1));
  port.Open();
  EXPECT_EQ(readFile(file), lockText(getpid()));
  port.Close();
  EXPECT_EQ(readFile(file), "<missing>");

  // Without a folder to write in, the device is used without a lock file.
  port.setLockFolder(locks.path() + "/missing");
  EXPECT_NO_THROW(port.Open());
  port.Close();
}

TEST(PortClaim, LockOfALiveProcessRefusesAStaleOneIsRemoved) {
  Pty pty;
  const TempFolder locks;
  const std::string file = locks.path() + "/" + DeviceLock::fileName(pty.slavePath());
  const pid_t holder = sleeper();
  writeFile(file, lockText(holder));
  SerialPort port;
  port.setPortName(pty.slavePath());
  port.setLockFolder(locks.path());
  try {
    port.Open();
    FAIL() << "opened a device locked by a live process";
  } catch (const PortError& e) {
    EXPECT_EQ(e.failure(), PortFailure::Busy);
    // The message names the holder of the lock.
    EXPECT_NE(std::string(e.what()).find(holderText(holder) + ") benutzt"), std::string::npos)
        << e.what();
  }
  EXPECT_FALSE(port.Connected());
  EXPECT_EQ(readFile(file), lockText(holder));

  reap(holder);  // the lock is stale now
  ASSERT_NO_THROW(port.Open());
  EXPECT_EQ(readFile(file), lockText(getpid()));
  port.Close();

  writeFile(file, "garbage\n");  // names no process: stale too
  ASSERT_NO_THROW(port.Open());
  EXPECT_EQ(lockHolder(file), getpid());
}

TEST(PortClaim, OtherHoldersOfADeviceAreFoundInProc) {
  Pty pty;
  struct stat st {};
  ASSERT_EQ(stat(pty.slavePath().c_str(), &st), 0);
  EXPECT_TRUE(isPseudoTerminal(st));
  struct stat null {};
  ASSERT_EQ(stat("/dev/null", &null), 0);
  EXPECT_FALSE(isPseudoTerminal(null));

  // The test holds the master side only, and its own handles do not count.
  EXPECT_EQ(otherProcessHolding(st), 0);
  const int own = open(pty.slavePath().c_str(), O_RDWR | O_NOCTTY);
  EXPECT_EQ(otherProcessHolding(st), 0);
  close(own);
  const TempFolder locks;
  for (const bool exclusive : {false, true}) {
    const pid_t holder = sleeper(pty.slavePath(), exclusive);
    bool found = false;
    for (int i = 0; i < 100 && !found; ++i, usleep(10'000))
      found = otherProcessHolding(st) == holder;
    EXPECT_TRUE(found);
    // A pseudo-terminal another process reads is refused with the reason,
    // as a real serial device is, and gets no lock file.
    SerialPort port;
    port.setPortName(pty.slavePath());
    port.setLockFolder(locks.path());
    try {
      port.Open();
      ADD_FAILURE() << "opened a pseudo-terminal another process holds";
    } catch (const PortError& e) {
      EXPECT_EQ(e.failure(), PortFailure::Busy);
      EXPECT_EQ(std::string(e.what()), "Ein anderes Programm (" + holderText(holder) +
                                           ") benutzt das Gerät " + pty.slavePath() + ".");
    }
    EXPECT_FALSE(port.Connected());
    EXPECT_EQ(readFile(locks.path() + "/" + DeviceLock::fileName(pty.slavePath())), "<missing>");
    reap(holder);
  }
  EXPECT_EQ(otherProcessHolding(st), 0);
  EXPECT_EQ(openStatus(pty.slavePath(), locks.path()), 0);
}

// Whoever made the pseudo-terminal holds its other side and may keep the
// terminal side open too: the line's far end, not a competitor.
TEST(PortClaim, TheMakerOfAPseudoTerminalMayHoldBothSides) {
  int path[2];
  ASSERT_EQ(pipe(path), 0);
  const pid_t maker = ptyMaker(path[1]);
  close(path[1]);
  char name[128] = {};
  ASSERT_GT(read(path[0], name, sizeof name - 1), 0);
  close(path[0]);
  struct stat st {};
  ASSERT_EQ(stat(name, &st), 0);
  EXPECT_EQ(otherProcessHolding(st), 0);
  const TempFolder locks;
  EXPECT_EQ(openStatus(name, locks.path()), 0);
  reap(maker);
}

// In a mount namespace of its own with a private pseudo-terminal file system,
// makes terminals there up to number `index` and leaves a second process
// holding only that terminal's side, as a container's shell holds its
// terminal while another process keeps the other side. Writes the holder's
// pid, or a reason it could not, to `reply`; then waits to be killed (the
// test kills the holder too).
pid_t privatePtyHolder(int index, int reply) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  auto fail = [&](const char* why) {
    const std::string text = std::string("!") + why + ": " + std::strerror(errno);
    (void)!write(reply, text.data(), text.size());
    _exit(1);
  };
  if (unshare(CLONE_NEWNS) != 0) fail("unshare");
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) fail("private mounts");
  if (mount("devpts", "/dev/pts", "devpts", 0, "newinstance,ptmxmode=0666") != 0)
    fail("devpts newinstance");
  int master = -1;
  for (int n = 0; n <= index; ++n) {
    master = open("/dev/pts/ptmx", O_RDWR | O_NOCTTY);
    if (master < 0 || unlockpt(master) != 0) fail("ptmx");
  }
  int number = -1;
  if (ioctl(master, TIOCGPTN, &number) != 0 || number != index) fail("terminal number");
  const std::string terminal = "/dev/pts/" + std::to_string(index);
  const pid_t holder = fork();
  if (holder == 0) {
    // Nothing but the terminal: no other side, ours or the test's.
    close_range(3, ~0U, 0);
    if (open(terminal.c_str(), O_RDWR | O_NOCTTY) < 0) _exit(1);
    for (;;) pause();
  }
  const std::string text = std::to_string(holder);
  (void)!write(reply, text.data(), text.size());
  for (;;) pause();
}

// A process's descriptor of a character device, as seen through /proc.
bool holdsCharDevice(pid_t pid, struct stat& st) {
  const std::string fds = "/proc/" + std::to_string(pid) + "/fd/";
  for (int fd = 3; fd < 64; ++fd) {
    if (stat((fds + std::to_string(fd)).c_str(), &st) == 0 && S_ISCHR(st.st_mode) &&
        isPseudoTerminal(st))
      return true;
  }
  return false;
}

TEST(PortClaim, ATerminalOfAnotherPtyFileSystemWithTheSameNumberIsNoHolder) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root for a private /dev/pts";
  Pty pty;
  struct stat st {};
  ASSERT_EQ(stat(pty.slavePath().c_str(), &st), 0);
  const int index = static_cast<int>(std::stoi(pty.slavePath().substr(9)));
  int reply[2];
  ASSERT_EQ(pipe(reply), 0);
  const pid_t maker = privatePtyHolder(index, reply[1]);
  close(reply[1]);
  char text[256] = {};
  const ssize_t n = read(reply[0], text, sizeof text - 1);
  close(reply[0]);
  if (n <= 0 || text[0] == '!') {
    reap(maker);
    GTEST_SKIP() << "no private pseudo-terminal file system here: " << text;
  }
  const pid_t holder = std::atoi(text);
  struct stat theirs {};
  bool found = false;
  for (int i = 0; i < 100 && !found; ++i, usleep(10'000)) found = holdsCharDevice(holder, theirs);
  ASSERT_TRUE(found);
  EXPECT_EQ(theirs.st_rdev, st.st_rdev);  // the same number ...
  EXPECT_NE(theirs.st_dev, st.st_dev);    // ... on another file system
  // The holder counts for its own terminal, not for ours.
  EXPECT_EQ(otherProcessHolding(theirs), holder);
  EXPECT_EQ(otherProcessHolding(st), 0);
  const TempFolder locks;
  EXPECT_EQ(openStatus(pty.slavePath(), locks.path()), 0);
  kill(holder, SIGKILL);
  reap(maker);
}

// A terminal whose other side has gone stays hung up for good; whoever still
// holds it holds no line.
TEST(PortClaim, AHolderOfAHungUpTerminalIsNoHolder) {
  auto pty = std::make_unique<Pty>();
  const pid_t holder = sleeper(pty->slavePath());
  struct stat theirs {};
  bool found = false;
  for (int i = 0; i < 100 && !found; ++i, usleep(10'000)) found = holdsCharDevice(holder, theirs);
  ASSERT_TRUE(found);
  EXPECT_EQ(otherProcessHolding(theirs), holder);
  pty.reset();  // its name goes; the holder's descriptor is left hung up
  bool released = false;
  for (int i = 0; i < 100 && !released; ++i, usleep(10'000))
    released = otherProcessHolding(theirs) == 0;
  EXPECT_TRUE(released);
  reap(holder);
}

TEST(PortClaim, ANewStartTakesThePortOfAKilledHolder) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to run the holders as nobody";
  Pty pty;  // its master stays open all along
  const TempFolder locks;
  ASSERT_EQ(chmod(pty.slavePath().c_str(), 0666), 0);
  ASSERT_EQ(chmod(locks.path().c_str(), 0777), 0);
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t first = fork();
  if (first == 0) {
    close(ready[0]);
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr || setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 ||
        setuid(nobody->pw_uid) != 0)
      _exit(100);
    SerialPort port;
    port.setPortName(pty.slavePath());
    port.setLockFolder(locks.path());
    try {
      port.Open();
    } catch (const PortError&) {
      _exit(1);
    }
    (void)!write(ready[1], "x", 1);
    for (;;) pause();
  }
  close(ready[1]);
  char byte = 0;
  ASSERT_EQ(read(ready[0], &byte, 1), 1) << "the first holder could not open the port";
  close(ready[0]);
  const std::string file = locks.path() + "/" + DeviceLock::fileName(pty.slavePath());
  EXPECT_EQ(lockHolder(file), first);
  EXPECT_EQ(asNobody([&] { return openStatus(pty.slavePath(), locks.path()); }),
            10 + static_cast<int>(PortFailure::Busy));

  kill(first, SIGKILL);
  waitpid(first, nullptr, 0);
  EXPECT_EQ(lockHolder(file), first);  // left behind by the killed holder
  EXPECT_EQ(asNobody([&] { return openStatus(pty.slavePath(), locks.path()); }), 0);
  EXPECT_EQ(readFile(file), "<missing>");  // the new holder removed it at its close
}

TEST(PortClaim, ReasonsTellMissingBusyAndPermissionApart) {
  const TempFolder locks;
  EXPECT_EQ(openStatus("/dev/tavik-no-such-port", locks.path()),
            10 + static_cast<int>(PortFailure::Missing));
  Pty pty;
  SerialPort holder;
  holder.setPortName(pty.slavePath());
  holder.setLockFolder(locks.path());
  holder.Open();
  EXPECT_EQ(openStatus(pty.slavePath(), locks.path()), 10 + static_cast<int>(PortFailure::Busy));
  holder.Close();
  if (geteuid() == 0) {
    ASSERT_EQ(chmod(pty.slavePath().c_str(), 0000), 0);
    EXPECT_EQ(asNobody([&] { return openStatus(pty.slavePath(), locks.path()); }),
              10 + static_cast<int>(PortFailure::NoPermission));
  }

  EXPECT_EQ(classifyPortErrno(ENOENT), PortFailure::Missing);
  EXPECT_EQ(classifyPortErrno(ENXIO), PortFailure::Missing);
  EXPECT_EQ(classifyPortErrno(EBUSY), PortFailure::Busy);
  EXPECT_EQ(classifyPortErrno(EACCES), PortFailure::NoPermission);
  EXPECT_EQ(classifyPortErrno(EPERM), PortFailure::NoPermission);
  EXPECT_EQ(classifyPortErrno(ENOTTY), PortFailure::Other);
  EXPECT_EQ(portFailureText(PortFailure::Missing, "/dev/ttyUSB0"),
            "Das Gerät /dev/ttyUSB0 gibt es nicht.");
  EXPECT_EQ(portFailureText(PortFailure::NoPermission, "/dev/ttyS0"),
            "Keine Berechtigung für /dev/ttyS0 – der Benutzer muss in der Gruppe dialout sein.");
}

}  // namespace
}  // namespace tavik
