// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-station: the weather station without windows, for a computer without
// a screen or a systemd service. It runs what Tavik's main window runs while
// it is active: reads the console, keeps the record and writes every product
// on the same timers. It never writes tavout.ini.
//
// TAVIK_TIME_SCALE=N runs its clock and timers N times as fast, and
// TAVIK_CLOCK_START=YYYY-MM-DDTHH:MM[:SS] starts its clock at that local
// moment (tests only).
//
// When standard error is the systemd journal, every line carries its priority
// ("<3>" failure, "<4>" warning, "<6>" notice), Qt's own messages too.

#include <QCoreApplication>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/command_line.h"
#include "common/journal_lines.h"
#include "core/scaled_clock.h"
#include "core/signal_watch.h"
#include "core/standard_error.h"
#include "core/station_folder.h"
#include "service/settings_report.h"
#include "service/station_service.h"
#include "settings/settings_file.h"

namespace {

using tavik::Priority;

constexpr int kUsageExit = 2;
constexpr int kBadSettingsExit = 2;

const char kUsage[] =
    "Aufruf: tavik-station [--folder ORDNER] [--check]\n"
    "Liest die Wetterstation an der seriellen Schnittstelle und schreibt die Produkte,\n"
    "ohne Fenster. Die Einstellungen stehen in tavout.ini im Stationsordner.\n"
    "\n"
    "  -f, --folder ORDNER  Stationsordner mit tavout.ini (sonst der Ordner des\n"
    "                       Programms oder ~/.config/tavik/)\n"
    "  -c, --check          Einstellungen lesen, zeigen und beenden\n"
    "  -h, --help           diese Hilfe\n"
    "  -V, --version        Version\n"
    "\n"
    "SIGHUP liest tavout.ini neu, SIGTERM und SIGINT beenden.\n";

struct Options {
  std::optional<std::string> folder;
  bool check = false;
};

constexpr tavik::CommandOption kOptions[] = {{"folder", 'f', true, 'f'},
                                             {"check", 'c', false, 'c'},
                                             {"help", 'h', false, 'h'},
                                             {"version", 'V', false, 'V'}};

// The options, or an exit status when the program is done with them: after
// --help, --version or a command line it cannot run with.
std::variant<Options, int> readCommandLine(int argc, char** argv) {
  Options options;
  bool help = false;
  bool version = false;
  try {
    const std::vector<std::string> rest =
        tavik::parseOptions(argc, argv, kOptions, [&](int id, std::string_view value) {
          // An empty folder would make the root folder the station folder.
          if (id == 'f' && value.empty()) throw tavik::UsageError("--folder braucht einen Ordner");
          if (id == 'f') options.folder = std::string(value);
          options.check |= id == 'c';
          help |= id == 'h';
          version |= id == 'V';
        });
    if (!help && !version && !rest.empty())
      throw tavik::UsageError("unerwartetes Argument " + rest.front());
  } catch (const tavik::UsageError& e) {
    std::cerr << tavik::withPriority(Priority::Failure,
                                     std::string("tavik-station: ") + e.what() + "\n" + kUsage);
    return kUsageExit;
  }
  if (help || version) {
    std::cout << (help ? std::string(kUsage) : tavik::versionText("tavik-station"));
    return 0;
  }
  return options;
}

tavik::StationFolder stationFolder(const Options& options) {
  if (options.folder) return tavik::stationFolderAt(*options.folder);
  return tavik::chooseStationFolder(tavik::executableFolder(),
                                    tavik::FolderEnvironment::fromProcess());
}

// --check: every reason the settings cannot be used goes to standard error.
int checkSettings(const tavik::StationFolder& folder) {
  std::error_code ec;
  if (!std::filesystem::is_directory(folder.settingsDir, ec)) {
    std::cerr << tavik::withPriority(
        Priority::Failure, "tavik-station: den Ordner " + folder.settingsDir + " gibt es nicht.");
    return kBadSettingsExit;
  }
  tavik::Settings settings;
  tavik::ProfileTable profiles;
  tavik::RecordingNotifier failures;
  tavik::loadSettings(folder.settingsDir, settings, profiles, {}, failures, folder.productDir);
  for (const auto& m : failures.messages) {
    std::cerr << tavik::withPriority(Priority::Failure, m.caption + ": " + m.text);
  }
  if (!failures.messages.empty()) return kBadSettingsExit;
  tavik::printSettingsReport(std::cout, folder, settings, profiles);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const tavik::StandardErrorLines standardError;
  const auto parsed = readCommandLine(argc, argv);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const Options& options = std::get<Options>(parsed);
  const tavik::StationFolder folder = stationFolder(options);
  if (options.check) return checkSettings(folder);

  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tavik-station"));
  const std::unique_ptr<tavik::Clock> clock = tavik::makeClock();
  tavik::StationService service(folder, *clock);
  tavik::SignalWatch signalWatch([&service] { service.stop(); }, [&service] { service.reload(); });
  service.start();
  return app.exec();
}
