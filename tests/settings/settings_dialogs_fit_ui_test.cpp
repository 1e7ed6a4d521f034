// SPDX-License-Identifier: GPL-3.0-or-later
// Every text of the settings dialogs is shown whole: at the first size, at
// the smallest size the dialog allows, and with a 14-point font. CMake runs
// these tests a second time under QT_SCALE_FACTOR=2.
#include <gtest/gtest.h>

#include "settings/client_server_dialog.h"
#include "settings/general_settings_dialog.h"
#include "settings/profile_name_dialog.h"
#include "window_fits.h"

namespace tavik {
namespace {

using test::cutsAtEverySize;
using test::joined;

TEST(SettingsDialogTextsFit, General) {
  const auto make = [] {
    auto dialog = std::make_unique<TAlgprop>();
    dialog->FormShow(Settings{});
    return dialog;
  };
  EXPECT_EQ(joined(cutsAtEverySize(make)), "");
}

TEST(SettingsDialogTextsFit, ClientServer) {
  EXPECT_EQ(joined(cutsAtEverySize([] { return std::make_unique<Tclsersetting>(); })), "");
}

TEST(SettingsDialogTextsFit, ProfileName) {
  RecordingNotifier notifier;
  EXPECT_EQ(joined(cutsAtEverySize([&] { return std::make_unique<TPasswordDlg>(notifier); })), "");
}

}  // namespace
}  // namespace tavik
