// Tavik: reads the weather station console on its serial line, shows the
// weather and writes the products. The program takes no arguments; all its
// settings are in tavout.ini in the station folder: the folder of the
// executable, or the user's XDG folders when that one is not the user's to
// write (see core/station_folder.h).
//
// Two environment variables exist for unattended runs only:
//   TAVIK_SCREENSHOT=PATH,SECONDS  saves a PNG of the main window after SECONDS
//                                  and then closes it the normal way;
//   TAVIK_TIME_SCALE=N             runs the clock and the timers N times as
//                                  fast (the soak benchmark's simulated days).

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "app/program.h"
#include "core/scaled_clock.h"
#include "core/signal_watch.h"
#include "core/station_folder.h"
#include "ui/main_window.h"
#include "ui/pictures.h"

namespace {

void scheduleScreenshot(QWidget& window, const char* request) {
  const std::string text = request;
  const size_t comma = text.rfind(',');
  const std::string path = text.substr(0, comma);
  const int seconds = comma == std::string::npos ? 5 : std::atoi(text.c_str() + comma + 1);
  QTimer::singleShot(std::max(0, seconds) * 1000, &window, [&window, path] {
    if (!window.grab().save(QString::fromStdString(path), "PNG")) {
      std::cerr << "Tavik: cannot save the screenshot " << path << std::endl;
    }
    window.close();
  });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tavik"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tavik"));
  QApplication::setDesktopFileName(QStringLiteral("tavik"));
  QApplication::setWindowIcon(tavik::applicationIcon());

  const int speedUp = tavik::timeScaleFromEnvironment();
  const std::unique_ptr<tavik::Clock> clock = tavik::makeClock(speedUp);

  tavik::Program program(tavik::chooseStationFolder(tavik::executableFolder(),
                                                    tavik::FolderEnvironment::fromProcess()),
                         *clock, speedUp);
  tavik::TForm1& window = program.mainWindow();
  // SIGTERM and SIGINT close the main window as its close box does, so that
  // the settings are saved; a second one ends the program at once.
  tavik::SignalWatch signalWatch([&program] { program.stopBySignal(); });
  if (const char* request = std::getenv("TAVIK_SCREENSHOT")) scheduleScreenshot(window, request);
  window.show();
  return app.exec();
}
