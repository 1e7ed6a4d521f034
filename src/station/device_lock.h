// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

namespace tavik {

// The UUCP lock file of a serial device, "LCK..NAME" in the lock folder,
// holding the PID of the program that uses the device as ten characters and a
// newline ("      1234\n"). Programs that honour it leave a locked device
// alone.
class DeviceLock {
 public:
  static constexpr const char* kSystemFolder = "/var/lock";

  // The folder of the lock files: TAVIK_LOCK_DIR when it is set and not
  // empty (for tests, which must not touch the machine's locks, and for
  // packagers of systems that keep them elsewhere), otherwise /var/lock.
  static std::string defaultFolder();

  DeviceLock() = default;
  ~DeviceLock() { release(); }
  DeviceLock(const DeviceLock&) = delete;
  DeviceLock& operator=(const DeviceLock&) = delete;

  // Takes the lock of the device at `device` in `folder`. Returns false when
  // a live process other than this one holds it. A lock file whose process
  // is gone (or that names none) is removed. Where the folder is missing or
  // not writable, no file is made and the lock counts as taken.
  bool acquire(const std::string& folder, const std::string& device);
  // Removes the lock file if it still names this process.
  void release();
  // The lock file made by acquire(), "" when none was made.
  const std::string& file() const { return file_; }

  // "LCK.." and the device's name below /dev/ with '/' as '_' (symbolic
  // links resolved): /dev/ttyUSB0 gives LCK..ttyUSB0, /dev/pts/3 LCK..pts_3.
  static std::string fileName(const std::string& device);

 private:
  std::string file_;
};

// The process that a lock file names, 0 when there is no file or it names no
// process.
pid_t lockHolder(const std::string& lockFile);

// A process other than this one that has the character device `device` (as
// fstat or stat gives it) open, as far as `proc` (the process folder,
// normally /proc) shows; 0 for none. A descriptor counts only when it refers
// to the same device number on the same file system: each pseudo-terminal
// file system (a container's, a private /dev/pts) numbers its terminals from
// 0. A hung-up terminal, whose name is gone, never counts. For the terminal
// side of a pseudo-terminal, a process that also holds its other side made
// it and does not count.
pid_t otherProcessHolding(const struct stat& device, const std::string& proc = "/proc");

// Whether the device is the terminal side of a pseudo-terminal, whose other
// side is held by whoever made it.
bool isPseudoTerminal(const struct stat& st);

}  // namespace tavik
