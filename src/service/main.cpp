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

#include <getopt.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "common/journal_lines.h"
#include "common/version.h"
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

// The options, or an exit status when the program is done with them.
std::variant<Options, int> parseOptions(int argc, char** argv) {
  static const option longOptions[] = {{"folder", required_argument, nullptr, 'f'},
                                       {"check", no_argument, nullptr, 'c'},
                                       {"help", no_argument, nullptr, 'h'},
                                       {"version", no_argument, nullptr, 'V'},
                                       {nullptr, 0, nullptr, 0}};
  Options options;
  for (int c; (c = getopt_long(argc, argv, "f:chV", longOptions, nullptr)) != -1;) {
    switch (c) {
      case 'f':
        options.folder = optarg;
        break;
      case 'c':
        options.check = true;
        break;
      case 'h':
        std::cout << kUsage;
        return 0;
      case 'V':
        std::cout << "tavik-station " TAVIK_VERSION "\n";
        return 0;
      default:
        std::cerr << tavik::withPriority(Priority::Failure, kUsage);
        return kUsageExit;
    }
  }
  if (optind < argc) {
    std::cerr << tavik::withPriority(
        Priority::Failure,
        std::string("tavik-station: unerwartetes Argument ") + argv[optind] + "\n" + kUsage);
    return kUsageExit;
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
  const auto parsed = parseOptions(argc, argv);
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
