// SPDX-License-Identifier: GPL-3.0-or-later
// Every text of the product dialogs is shown whole: at the first size, at the
// smallest size the dialog allows, and with a 14-point font. CMake runs these
// tests a second time under QT_SCALE_FACTOR=2.
#include <gtest/gtest.h>

#include <QTabWidget>

#include "product_test_support.h"
#include "products/aprs_dialog.h"
#include "products/aprs_file.h"
#include "products/asynop_dialog.h"
#include "products/profiles_dialog.h"
#include "products/weather_log_dialog.h"
#include "products/wingt_dialog.h"
#include "settings/profile_name_dialog.h"
#include "temp_folder.h"
#include "widgets/folder_chooser_dialog.h"
#include "window_fits.h"

namespace tavik {
namespace {

using test::cutsAtEverySize;
using test::joined;

// Folders of a usual length, as a user's home would hold them.
struct ProductDialogTextsFit : ::testing::Test {
  ProductDialogTextsFit() {
    Settings& s = f.settings;
    s.WinGTImport = "/home/wetter/wingt/import";
    s.WinGTRead = "/home/wetter/wingt/read";
    s.LogOrdner = "/home/wetter/tavik/wetterlog";
    s.APRSDatei = folder.dir() + "aprs.txt";
    s.ASYNOPDatei = folder.dir() + "asynop.txt";
  }
  ProductContext context() {
    ProductContext c = f.context();
    c.productDir = folder.dir();
    return c;
  }

  testing::TempFolder folder;
  test::ProductFixture f;
  Tordner chooser;
};

TEST_F(ProductDialogTextsFit, WinGT) {
  const auto make = [this] {
    auto dialog = std::make_unique<Twingtprop>(chooser);
    dialog->FormShow(f.settings);
    return dialog;
  };
  EXPECT_EQ(joined(cutsAtEverySize(make)), "");
}

TEST_F(ProductDialogTextsFit, WeatherLog) {
  const auto make = [this] {
    auto dialog = std::make_unique<Tlogprop>(chooser);
    dialog->FormShow(f.settings);
    return dialog;
  };
  EXPECT_EQ(joined(cutsAtEverySize(make)), "");
}

TEST_F(ProductDialogTextsFit, Aprs) {
  const ProductContext c = context();
  for (const bool written : {true, false}) {
    const auto make = [this, &c, written] {
      auto dialog = std::make_unique<Taprsprop>(c, chooser, [&c, written] {
        if (written) writeAprsFile(c);
        return written;
      });
      dialog->FormShow();
      return dialog;
    };
    EXPECT_EQ(joined(cutsAtEverySize(make)), "") << written;
  }
}

TEST_F(ProductDialogTextsFit, AsynopBothPages) {
  const ProductContext c = context();
  for (const int page : {0, 1}) {
    const auto make = [this, &c, page] {
      auto dialog = std::make_unique<Tasynopprop>(c, chooser, [] {});
      dialog->FormShow();
      dialog->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(page);
      return dialog;
    };
    EXPECT_EQ(joined(cutsAtEverySize(make)), "") << "page " << page;
  }
}

TEST_F(ProductDialogTextsFit, Profiles) {
  addProfile(f.profiles, "Rundspruch");
  TPasswordDlg nameDialog(f.notifier);
  const auto make = [this, &nameDialog] {
    auto dialog = std::make_unique<Tmailprop>(f.profiles, nameDialog, f.notifier);
    dialog->FormShow();
    return dialog;
  };
  EXPECT_EQ(joined(cutsAtEverySize(make)), "");
}

}  // namespace
}  // namespace tavik
