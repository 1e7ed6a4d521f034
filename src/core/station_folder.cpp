// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/station_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace tavik {

namespace fs = std::filesystem;

namespace {

std::string withSlash(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// $XDG_..._HOME when it is absolute, else HOME + fallback; empty without either.
std::string xdgBase(const std::string& value, const std::string& home, const char* fallback) {
  if (!value.empty() && value.front() == '/') return withSlash(value);
  if (!home.empty() && home.front() == '/') return withSlash(home) + fallback;
  return "";
}

}  // namespace

FolderEnvironment FolderEnvironment::fromProcess() {
  return {variable("HOME"), variable("XDG_CONFIG_HOME"), variable("XDG_DATA_HOME")};
}

StationFolder chooseStationFolder(const std::string& programDir, const FolderEnvironment& env) {
  const StationFolder portable{programDir, programDir};
  std::error_code ec;
  if (fs::exists(programDir + "tavout.ini", ec) || folderWritable(programDir)) return portable;
  const std::string config = xdgBase(env.configHome, env.home, ".config/");
  const std::string data = xdgBase(env.dataHome, env.home, ".local/share/");
  if (config.empty() || data.empty()) return portable;
  StationFolder folder{config + "tavik/", data + "tavik/"};
  // Failures show later, when the settings or a product cannot be written.
  fs::create_directories(folder.settingsDir, ec);
  fs::create_directories(folder.productDir, ec);
  return folder;
}

StationFolder stationFolderAt(const std::string& dir) {
  const std::string folder = withSlash(dir);
  return {folder, folder};
}

bool folderWritable(const std::string& dir) {
  std::string probe = withSlash(dir) + ".tavik-probe-XXXXXX";
  const int fd = mkstemp(probe.data());
  if (fd < 0) return false;
  close(fd);
  unlink(probe.c_str());
  return true;
}

std::string executableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return withSlash((ec ? fs::current_path() : exe.parent_path()).string());
}

const char* credentialsDirectory() {
  const char* dir = std::getenv("CREDENTIALS_DIRECTORY");
  return dir != nullptr && *dir != '\0' ? dir : nullptr;
}

}  // namespace tavik
