// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/device_lock.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace tavik {
namespace {

bool alive(pid_t pid) { return kill(pid, 0) == 0 || errno == EPERM; }

bool allDigits(const char* s) {
  if (*s == '\0') return false;
  for (; *s != '\0'; ++s) {
    if (*s < '0' || *s > '9') return false;
  }
  return true;
}

std::string resolved(const std::string& path) {
  char real[PATH_MAX];
  return realpath(path.c_str(), real) != nullptr ? std::string(real) : path;
}

// A new temporary file in `folder` under a name no other file has, made with
// O_EXCL and O_NOFOLLOW so that nothing planted there is opened. Its
// descriptor (or -1 with errno set) and its name.
int createTemporary(const std::string& folder, std::string& name) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = folder + "/LTMP." + std::to_string(getpid()) + "." + std::to_string(++counter);
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Writes the lock file under a temporary name of its own and hard-links it
// into place, so that it never exists half written, two programs cannot both
// make it and a link planted at either name is never followed (link() does
// not replace what stands at the lock's name). Returns 0, or the error number
// of the step that failed.
int createLockFile(const std::string& folder, const std::string& file) {
  std::string temporary;
  const int fd = createTemporary(folder, temporary);
  if (fd < 0) return errno;
  char text[16];
  const int n = std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(getpid()));
  const bool written = write(fd, text, static_cast<size_t>(n)) == n;
  close(fd);
  const int result = !written ? EIO : link(temporary.c_str(), file.c_str()) == 0 ? 0 : errno;
  unlink(temporary.c_str());
  return result;
}

}  // namespace

std::string DeviceLock::defaultFolder() {
  const char* folder = std::getenv("TAVIK_LOCK_DIR");
  return folder != nullptr && *folder != '\0' ? std::string(folder) : std::string(kSystemFolder);
}

std::string DeviceLock::fileName(const std::string& device) {
  std::string name = resolved(device);
  if (name.starts_with("/dev/")) {
    name.erase(0, 5);
  } else if (const size_t slash = name.rfind('/'); slash != std::string::npos) {
    name.erase(0, slash + 1);
  }
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return "LCK.." + name;
}

bool DeviceLock::acquire(const std::string& folder, const std::string& device) {
  release();
  const std::string file = folder + "/" + fileName(device);
  // Two tries: another program may make the file between our look and ours.
  for (int attempt = 0; attempt < 2; ++attempt) {
    const pid_t holder = lockHolder(file);
    if (holder != 0 && holder != getpid() && alive(holder)) return false;
    if (unlink(file.c_str()) != 0 && errno != ENOENT) return true;  // a folder we may not change
    const int error = createLockFile(folder, file);
    if (error == 0) {
      file_ = file;
      return true;
    }
    if (error != EEXIST) return true;  // no lock files here
  }
  return false;
}

void DeviceLock::release() {
  if (file_.empty()) return;
  if (lockHolder(file_) == getpid()) unlink(file_.c_str());
  file_.clear();
}

pid_t lockHolder(const std::string& lockFile) {
  // A link in the lock's place names no process: it is removed, not read.
  const int fd = open(lockFile.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return 0;
  char text[32];
  const ssize_t n = read(fd, text, sizeof text);
  close(fd);
  if (n <= 0) return 0;
  const char* p = text;
  const char* end = text + n;
  while (p < end && *p == ' ') ++p;
  int pid = 0;
  const auto [rest, ec] = std::from_chars(p, end, pid);
  if (ec != std::errc() || pid <= 0 || (rest != end && *rest != '\n')) return 0;
  return static_cast<pid_t>(pid);
}

namespace {

constexpr unsigned kFirstPtyMajor = 136;
constexpr unsigned kLastPtyMajor = 143;

// The number of a pseudo-terminal's terminal side: /dev/pts/N is N.
long ptyIndex(dev_t device) {
  return static_cast<long>((major(device) - kFirstPtyMajor) * 256 + minor(device));
}

// The pseudo-terminal whose other side (the multiplexer /dev/ptmx) the
// descriptor `fd` of a process holds, as its fdinfo shows; -1 for none.
long masterIndex(const std::string& process, const char* fd) {
  const std::string info = process + "/fdinfo/" + fd;
  const std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(info.c_str(), "re"), std::fclose);
  if (!file) return -1;
  char line[128];
  while (std::fgets(line, sizeof line, file.get()) != nullptr) {
    long index = -1;
    if (std::sscanf(line, "tty-index: %ld", &index) == 1) return index;
  }
  return -1;
}

struct Holding {
  bool device = false;  // holds the device itself
  bool master = false;  // holds the other side of the pseudo-terminal `device`
};

Holding holdingOf(const std::string& process, const struct stat& device) {
  Holding holding;
  const std::string fds = process + "/fd";
  const std::unique_ptr<DIR, int (*)(DIR*)> open(opendir(fds.c_str()), closedir);
  if (!open) return holding;  // gone, or not ours to look at
  const bool pty = isPseudoTerminal(device);
  constexpr std::string_view kDeleted = " (deleted)";
  while (const dirent* f = readdir(open.get())) {
    const std::string link = fds + "/" + f->d_name;
    char target[PATH_MAX];
    const ssize_t n = readlink(link.c_str(), target, sizeof target);
    if (n < 5 || n == static_cast<ssize_t>(sizeof target)) continue;
    const std::string_view name(target, static_cast<size_t>(n));
    if (!name.starts_with("/dev/")) continue;
    if (pty && (name == "/dev/ptmx" || name == "/dev/pts/ptmx")) {
      if (masterIndex(process, f->d_name) == ptyIndex(device.st_rdev)) holding.master = true;
      continue;
    }
    // A terminal whose other side has gone is hung up for good: its number
    // may already belong to a new terminal, which it does not hold.
    if (name.ends_with(kDeleted)) continue;
    struct stat st {};
    if (stat(link.c_str(), &st) == 0 && S_ISCHR(st.st_mode) && st.st_rdev == device.st_rdev &&
        st.st_dev == device.st_dev)
      holding.device = true;
  }
  return holding;
}

}  // namespace

pid_t otherProcessHolding(const struct stat& device, const std::string& proc) {
  const std::unique_ptr<DIR, int (*)(DIR*)> processes(opendir(proc.c_str()), closedir);
  if (!processes) return 0;
  const std::string self = std::to_string(getpid());
  while (const dirent* p = readdir(processes.get())) {
    if (!allDigits(p->d_name) || self == p->d_name) continue;
    const Holding holding = holdingOf(proc + "/" + p->d_name, device);
    // Whoever made a pseudo-terminal holds its other side and may keep the
    // terminal side open too: it is the line's far end, not a competitor.
    if (holding.device && !holding.master) return static_cast<pid_t>(std::atoi(p->d_name));
  }
  return 0;
}

bool isPseudoTerminal(const struct stat& st) {
  // Character majors 136..143 are the terminal sides of pseudo-terminals.
  return S_ISCHR(st.st_mode) && major(st.st_rdev) >= kFirstPtyMajor &&
         major(st.st_rdev) <= kLastPtyMajor;
}

}  // namespace tavik
