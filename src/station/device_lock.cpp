// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/device_lock.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>

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

// Writes the lock file through a temporary file and a hard link, so that it
// never exists half written and two programs cannot both make it. Returns 0,
// or the error number of the step that failed.
int createLockFile(const std::string& folder, const std::string& file) {
  const std::string temporary = folder + "/LTMP." + std::to_string(getpid());
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
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
  const int fd = open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
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

pid_t otherProcessHolding(dev_t device, const std::string& proc) {
  const std::unique_ptr<DIR, int (*)(DIR*)> processes(opendir(proc.c_str()), closedir);
  if (!processes) return 0;
  const std::string self = std::to_string(getpid());
  while (const dirent* p = readdir(processes.get())) {
    if (!allDigits(p->d_name) || self == p->d_name) continue;
    const std::string fds = proc + "/" + p->d_name + "/fd";
    const std::unique_ptr<DIR, int (*)(DIR*)> open(opendir(fds.c_str()), closedir);
    if (!open) continue;  // gone, or not ours to look at
    while (const dirent* f = readdir(open.get())) {
      const std::string link = fds + "/" + f->d_name;
      char target[16];
      const ssize_t n = readlink(link.c_str(), target, sizeof target);
      if (n < 5 || std::string(target, 5) != "/dev/") continue;
      struct stat st {};
      if (stat(link.c_str(), &st) == 0 && S_ISCHR(st.st_mode) && st.st_rdev == device)
        return static_cast<pid_t>(std::atoi(p->d_name));
    }
  }
  return 0;
}

bool isPseudoTerminal(const struct stat& st) {
  // Character majors 136..143 are the terminal sides of pseudo-terminals.
  return S_ISCHR(st.st_mode) && major(st.st_rdev) >= 136 && major(st.st_rdev) <= 143;
}

}  // namespace tavik
