// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Test helpers for file tests: a fresh folder that is removed afterwards, and
// a folder made read-only for the duration of a scope.

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace tavik::testing {

// A new, empty folder under the system's temporary folder; removed with all
// its contents when the object goes away.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavik-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    // Open to others, so that a test acting as an unprivileged user (below)
    // can still read inside.
    ::chmod(path_.c_str(), 0755);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }

  const std::filesystem::path& path() const { return path_; }
  // The folder as the program writes folder names: ending in "/".
  std::string dir() const { return path_.string() + "/"; }

 private:
  std::filesystem::path path_;
};

// Makes a folder read-only (mode 0555) for the life of the object. A test run
// as root would still be allowed to write there, so for root the file-system
// identity of the thread is also switched to an unprivileged user, which
// drops the permission override until the scope ends.
class ScopedReadOnlyFolder {
 public:
  explicit ScopedReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
    ::chmod(folder_.c_str(), 0555);
    if (::geteuid() == 0) {
      ::setfsgid(65534);
      ::setfsuid(65534);
    }
  }
  ScopedReadOnlyFolder(const ScopedReadOnlyFolder&) = delete;
  ScopedReadOnlyFolder& operator=(const ScopedReadOnlyFolder&) = delete;
  ~ScopedReadOnlyFolder() {
    if (::geteuid() == 0) {
      ::setfsuid(0);
      ::setfsgid(0);
    }
    ::chmod(folder_.c_str(), 0755);
  }

 private:
  std::filesystem::path folder_;
};

}  // namespace tavik::testing
