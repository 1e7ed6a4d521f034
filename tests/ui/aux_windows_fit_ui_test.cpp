// SPDX-License-Identifier: GPL-3.0-or-later
// Every text of the auxiliary windows is shown whole: at the first size, at
// the smallest size the window allows, and with a 14-point font. CMake runs
// these tests a second time under QT_SCALE_FACTOR=2.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>

#include "station/serial_port.h"
#include "ui/about_window.h"
#include "ui/alarm_window.h"
#include "ui/checksum_window.h"
#include "ui/debug_input_window.h"
#include "ui/port_setup_dialog.h"
#include "ui/thermometer_window.h"
#include "ui/wind5x_window.h"
#include "ui/wind_rose_window.h"
#include "window_fits.h"

namespace tavik {
namespace {

using test::cutsAtEverySize;
using test::joined;

template <typename Window, typename... Args>
test::WindowFactory factory(Args&... args) {
  return [&args...] { return std::make_unique<Window>(args...); };
}

AlarmTexts widestAlarms() {
  AlarmTexts t;
  const QString wide = QStringLiteral("Alarm bei -40inches/h");
  for (QString* text :
       {&t.alarmClock, &t.humOutHi, &t.humOutLo, &t.humInLo, &t.humInHi, &t.tempOutLo, &t.tempOutHi,
        &t.tempInLo, &t.tempInHi, &t.dewOut, &t.dewIn, &t.chill, &t.baro, &t.wind, &t.rain}) {
    *text = wide;
  }
  return t;
}

TEST(AuxiliaryWindowTextsFit, WindRose) {
  WeatherRecord wx;
  EXPECT_EQ(joined(cutsAtEverySize(factory<TWindrose>(wx))), "");
}

TEST(AuxiliaryWindowTextsFit, FiveMinuteWind) {
  const auto make = [] {
    auto window = std::make_unique<Twindx5>();
    for (int k = 1; k <= 5; ++k) window->setRowText(k, QStringLiteral("56,9"));
    return window;
  };
  EXPECT_EQ(joined(cutsAtEverySize(make)), "");
}

TEST(AuxiliaryWindowTextsFit, Alarms) {
  const auto make = [] {
    auto window = std::make_unique<Talarmfrm>();
    window->setAlarmTextSource(widestAlarms);
    return window;
  };
  EXPECT_EQ(joined(cutsAtEverySize(make)), "");
}

TEST(AuxiliaryWindowTextsFit, Checksums) {
  ChecksumVerdicts verdicts;
  verdicts.cells = {"False!", "False!", "False!", "False!", "False!"};
  EXPECT_EQ(joined(cutsAtEverySize(factory<Tchksums>(verdicts))), "");
}

TEST(AuxiliaryWindowTextsFit, ThermometerWithEveryQuantity) {
  WeatherRecord wx;
  for (const char* item : {"Innentemperatur1", "Aussentemperatur1", "Innentaupunkt1",
                           "Aussentaupunkt1", "Windchill1"}) {
    // Showing starts with the indoor temperature; the quantity is chosen after.
    const auto make = [&wx, item] {
      auto window = std::make_unique<Tanalog>(wx);
      window->show();
      window->findChild<QAction*>(item)->trigger();
      return window;
    };
    EXPECT_EQ(joined(cutsAtEverySize(make)), "") << item;
  }
}

TEST(AuxiliaryWindowTextsFit, ComportInput) {
  SerialPort port;
  port.setPortName("/dev/ttyUSB0");
  EXPECT_EQ(joined(cutsAtEverySize(factory<TDebugComInput>(port))), "");
}

TEST(AuxiliaryWindowTextsFit, PortSetup) {
  PortSetup setup;
  setup.portName = "/dev/ttyUSB0";
  const std::vector<std::string> ports = {"/dev/ttyS0", "/dev/ttyUSB0"};
  EXPECT_EQ(joined(cutsAtEverySize(factory<PortSetupDialog>(setup, ports))), "");
}

TEST(AuxiliaryWindowTextsFit, About) {
  EXPECT_EQ(joined(cutsAtEverySize([] { return std::make_unique<TAboutBox>(); })), "");
}

}  // namespace
}  // namespace tavik
