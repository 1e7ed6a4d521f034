// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavik {

// Where a station keeps tavout.ini and, by default, its products. Both end in
// "/". In the portable layout both are the folder of the executable.
struct StationFolder {
  std::string settingsDir;
  std::string productDir;

  friend bool operator==(const StationFolder&, const StationFolder&) = default;
};

// The environment the choice depends on; an unset variable is empty.
struct FolderEnvironment {
  std::string home;        // $HOME
  std::string configHome;  // $XDG_CONFIG_HOME
  std::string dataHome;    // $XDG_DATA_HOME

  static FolderEnvironment fromProcess();
};

// The folder of the executable (`programDir`, ending in "/") when it already
// holds a tavout.ini or the user may create files in it. Otherwise tavout.ini
// lives in $XDG_CONFIG_HOME/tavik/ (default ~/.config/tavik/) and the default
// products in $XDG_DATA_HOME/tavik/ (default ~/.local/share/tavik/); both are
// created when missing. A relative XDG path is ignored, as the XDG rules say;
// without a usable home the program's folder stays the station folder.
StationFolder chooseStationFolder(const std::string& programDir, const FolderEnvironment& env);

// A folder named on the command line holds both; "/" is added when missing.
StationFolder stationFolderAt(const std::string& dir);

// Whether the calling user may create a file in `dir`: tried with a file of
// its own, which is removed again, so that read-only mounts, ACLs and the
// file-system identity all count.
bool folderWritable(const std::string& dir);

// The folder of the running executable, ending in "/".
std::string executableFolder();

// The folder in which systemd hands the service its credentials
// ($CREDENTIALS_DIRECTORY), or nullptr when the program runs without one.
const char* credentialsDirectory();

}  // namespace tavik
