// SPDX-License-Identifier: GPL-3.0-or-later
// Every text of the locator dialog and the sun window is shown whole: at the
// first size, at the smallest size the window allows, and with a 14-point
// font. CMake runs these tests a second time under QT_SCALE_FACTOR=2.
#include <gtest/gtest.h>

#include <QPushButton>

#include "astro/locator_dialog.h"
#include "astro/sun_window.h"
#include "window_fits.h"

namespace tavik {
namespace {

using test::cutsAtEverySize;
using test::joined;

TEST(AstroWindowTextsFit, LocatorWithTheWidestCoordinates) {
  RecordingNotifier notifier;
  // AA00AA lies at 179,958333333333 W, 89,9791666666667 S: the longest texts.
  for (const char* locator : {"JO30XP", "AA00AA"}) {
    const auto make = [&notifier, locator] {
      auto dialog = std::make_unique<TLocator>(RegionalSettings::german(), notifier);
      dialog->FormShow(locator);
      return dialog;
    };
    EXPECT_EQ(joined(cutsAtEverySize(make)), "") << locator;
  }
  EXPECT_TRUE(notifier.messages.empty());
}

TEST(AstroWindowTextsFit, SunWithAResultBlock) {
  ManualClock clock{LocalDateTime{2026, 12, 7, 10, 0, 0, 0}};  // day 341
  RecordingNotifier notifier;
  const Settings settings;
  const auto make = [&] {
    auto window =
        std::make_unique<TfrmSonne>(settings, clock, RegionalSettings::german(), notifier);
    window->findChild<QPushButton*>("Button1")->click();
    return window;
  };
  EXPECT_EQ(joined(cutsAtEverySize(make)), "");
}

}  // namespace
}  // namespace tavik
