// SPDX-License-Identifier: GPL-3.0-or-later
// Tavik: reads the weather station console on its serial line, shows the
// weather and writes the products. The program takes no arguments besides
// --help and --version; all its settings are in tavout.ini in the station
// folder: the folder of the executable, or the user's XDG folders when that
// one is not the user's to write (see core/station_folder.h).
//
// Environment variables for unattended runs only:
//   TAVIK_SCREENSHOT=PATH,SECONDS  saves a PNG of the main window after SECONDS
//                                  and then closes it the normal way;
//   TAVIK_SCREENSHOT_ITEMS=A,B     with it, also opens the windows of the menu
//                                  items named A and B and saves each beside
//                                  PATH under its window's object name;
//   TAVIK_SCREENSHOT_SIZES=WxH,..  then also saves the main window at these
//                                  frame sizes, as main-window-WxH.png;
//   TAVIK_PALETTE=dark             draws every window in a dark palette (for
//                                  the pictures of a dark desktop);
//   TAVIK_TIME_SCALE=N             runs the clock and the timers N times as
//                                  fast (the soak benchmark's simulated days);
//   TAVIK_CLOCK_START=YYYY-MM-DDTHH:MM[:SS]  starts the clock at that local
//                                  moment (end-to-end tests).

#include <QApplication>
#include <QPalette>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "app/program.h"
#include "app/screenshots.h"
#include "common/command_line.h"
#include "common/journal_lines.h"
#include "core/scaled_clock.h"
#include "core/signal_watch.h"
#include "core/standard_error.h"
#include "core/station_folder.h"
#include "ui/main_window.h"
#include "ui/pictures.h"
#include "ui/qt_settings_path.h"
#include "ui/qt_translation.h"

namespace {

void scheduleScreenshot(QWidget& window, const char* request) {
  const std::string text = request;
  const size_t comma = text.rfind(',');
  const int seconds = comma == std::string::npos ? 5 : std::atoi(text.c_str() + comma + 1);
  const char* items = std::getenv("TAVIK_SCREENSHOT_ITEMS");
  const char* sizes = std::getenv("TAVIK_SCREENSHOT_SIZES");
  tavik::scheduleScreenshots(window, text.substr(0, comma), seconds, items ? items : "",
                             sizes ? sizes : "");
}

// A dark desktop's colours, for the pictures of a dark theme. The style draws
// the edge of check boxes, radio buttons and fields a little darker than the
// window, so their insides (the base) are lighter than the window: a base
// darker than the window would swallow that edge.
void useDarkPalette() {
  QApplication::setStyle(QStringLiteral("Fusion"));
  QPalette p;
  const QColor window(45, 47, 51);
  const QColor text(230, 232, 235);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, QColor(62, 65, 71));
  p.setColor(QPalette::AlternateBase, QColor(54, 57, 62));
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, window);
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::ToolTipBase, window);
  p.setColor(QPalette::ToolTipText, text);
  p.setColor(QPalette::Highlight, QColor(60, 110, 180));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Link, QColor(120, 170, 255));
  p.setColor(QPalette::PlaceholderText, QColor(150, 152, 156));
  p.setColor(QPalette::Light, QColor(70, 72, 77));
  p.setColor(QPalette::Midlight, QColor(60, 62, 66));
  p.setColor(QPalette::Mid, QColor(100, 102, 107));
  p.setColor(QPalette::Dark, QColor(25, 26, 28));
  p.setColor(QPalette::Shadow, Qt::black);
  p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 132, 136));
  p.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 132, 136));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 132, 136));
  QApplication::setPalette(p);
}

constexpr const char* kUsage =
    "Aufruf: tavik [--help | --version]\n"
    "Zeigt die Werte der Wetterstation und schreibt die Wetterprodukte.\n"
    "Alle Einstellungen stehen in tavout.ini; weitere Argumente nimmt das Programm\n"
    "nicht.\n"
    "\n"
    "  -h, --help     diesen Text zeigen\n"
    "  -V, --version  die Version zeigen\n";

constexpr tavik::CommandOption kOptions[] = {{"help", 'h', false, 'h'},
                                             {"version", 'V', false, 'V'}};

// Answers --help and --version, and refuses every other argument, before
// anything needs a display. Returns the exit status, or -1 to run the window.
int handleCommandLine(int argc, char** argv) {
  if (argc < 2) return -1;
  // One word is taken, --help or --version: a first word that is neither is
  // refused, and so is any second word.
  int asked = 0;
  bool known = false;
  try {
    const auto take = [&asked](int id, std::string_view) { asked = asked == 0 ? id : -1; };
    known = tavik::parseOptions(2, argv, kOptions, take).empty() && asked > 0;
  } catch (const tavik::UsageError&) {
    // refused below, in the program's own words
  }
  if (known && argc == 2) {
    std::cout << (asked == 'h' ? std::string(kUsage) : tavik::versionText("tavik"));
    return 0;
  }
  std::cerr << tavik::withPriority(
      tavik::Priority::Failure,
      std::string("tavik: unbekanntes Argument: ") + (known ? argv[2] : argv[1]) + "\n" + kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const tavik::StandardErrorLines standardError;
  if (const int status = handleCommandLine(argc, argv); status >= 0) return status;
  QApplication app(argc, argv);
  // Qt's own dialogs in German, and without a history file in the home folder.
  tavik::loadGermanQtTranslations(app);
  tavik::keepQtDialogHistoryInMemory();

  QApplication::setApplicationName(QStringLiteral("Tavik"));
  // No display name: on X11 Qt would append it to every window title, and the
  // captions are to read exactly as the program sets them.
  QApplication::setDesktopFileName(QStringLiteral("tavik"));
  QApplication::setWindowIcon(tavik::applicationIcon());
  if (const char* palette = std::getenv("TAVIK_PALETTE");
      palette && std::string(palette) == "dark") {
    useDarkPalette();
  }

  const std::unique_ptr<tavik::Clock> clock = tavik::makeClock();

  tavik::Program program(tavik::chooseStationFolder(tavik::executableFolder(),
                                                    tavik::FolderEnvironment::fromProcess()),
                         *clock);
  tavik::TForm1& window = program.mainWindow();
  // SIGTERM and SIGINT close the main window as its close box does, so that
  // the settings are saved; a second one ends the program at once.
  tavik::SignalWatch signalWatch([&program] { program.stopBySignal(); });
  if (const char* request = std::getenv("TAVIK_SCREENSHOT")) scheduleScreenshot(window, request);
  window.show();
  return app.exec();
}
