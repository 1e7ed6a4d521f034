// Tavik: reads the weather station console on its serial line, shows the
// weather and writes the products. The program takes no arguments; all its
// settings are in tavout.ini in the folder of the executable.
//
// Two environment variables exist for unattended runs only:
//   TAVIK_SCREENSHOT=PATH,SECONDS  saves a PNG of the main window after SECONDS
//                                  and then closes it the normal way;
//   TAVIK_TIME_SCALE=N             runs the clock and the timers N times as
//                                  fast (the soak benchmark's simulated days).

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <unistd.h>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "app/program.h"
#include "app/scaled_clock.h"
#include "ui/main_window.h"
#include "ui/pictures.h"
#include "widgets/qt_settings_path.h"
#include "widgets/qt_translation.h"

namespace {

int signalPipe[2] = {-1, -1};

void onStopSignal(int) {
  const char byte = 1;
  // Nothing else is safe in a signal handler; the event loop does the rest.
  [[maybe_unused]] ssize_t n = write(signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT close the main window as its close box does, so that the
// settings are saved.
void closeOnStopSignals(QWidget& window) {
  if (pipe(signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
  QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
    char byte;
    [[maybe_unused]] ssize_t n = read(signalPipe[0], &byte, 1);
    window.close();
  });
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

std::string programFolder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  const std::filesystem::path dir = ec ? std::filesystem::current_path() : exe.parent_path();
  std::string text = dir.string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

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
  // Qt's own dialogs in German, and without a history file in the home folder.
  tavik::loadGermanQtTranslations(app);
  tavik::keepQtDialogHistoryInMemory();

  QApplication::setApplicationName(QStringLiteral("Tavik"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tavik"));
  QApplication::setDesktopFileName(QStringLiteral("tavik"));
  QApplication::setWindowIcon(tavik::applicationIcon());

  int speedUp = 1;
  if (const char* scale = std::getenv("TAVIK_TIME_SCALE")) speedUp = std::max(1, std::atoi(scale));
  std::unique_ptr<tavik::Clock> clock;
  if (speedUp > 1) {
    clock = std::make_unique<tavik::ScaledClock>(speedUp);
  } else {
    clock = std::make_unique<tavik::SystemClock>();
  }

  tavik::Program program(programFolder(), *clock, speedUp);
  tavik::TForm1& window = program.mainWindow();
  closeOnStopSignals(window);
  if (const char* request = std::getenv("TAVIK_SCREENSHOT")) scheduleScreenshot(window, request);
  window.show();
  return app.exec();
}
