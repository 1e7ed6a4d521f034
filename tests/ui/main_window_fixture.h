// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A main window over a record, settings and products of its own, for the
// window tests.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/clockwork.h"
#include "core/product_writers.h"
#include "ui/main_window.h"
#include "widgets/message_box_notifier.h"

#include "fake_port.h"

namespace tavik {

using tavik::testing::FakePort;

// A main window over a record, settings and products of its own; the product
// folders lie in a fresh temporary folder.
class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest()
      : dir_(makeDir()),
        products_(ProductContext{station_.weather, station_.state, settings_, profiles_, clock_,
                                 RegionalSettings::german(), notifier_, dir_},
                  [this] { return clockwork_.recordFresh(); }),
        clockwork_(station_.weather, station_.state, settings_, profiles_, clock_, notifier_, port_,
                   products_),
        form_(MainWindowParts{station_, settings_, profiles_, clock_, RegionalSettings::german(),
                              clockwork_, products_}) {
    settings_.WinGTRead = dir_;
    settings_.WinGTImport = dir_;
    settings_.LogOrdner = dir_;
    settings_.APRSDatei = dir_ + "aprs.txt";
    notifier_.setParentWindow(&form_);
  }
  ~MainWindowTest() override { std::filesystem::remove_all(dir_); }

  static std::string makeDir() {
    char pattern[] = "/tmp/tavik-mainwin-XXXXXX";
    return std::string(mkdtemp(pattern)) + "/";
  }
  template <typename T = QLabel>
  T* find(const char* name) {
    T* w = form_.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QString text(const char* label) { return find(label)->text(); }
  QAction* action(const char* name) { return find<QAction>(name); }
  QTimer* timer(const char* name) { return find<QTimer>(name); }
  // Marks every group kind as decoded, as the decoders do.
  void seeAllGroups() {
    StationState& s = station_.state;
    s.seen8F = s.seen9F = s.seenAF = s.seenBF = s.seenCF = true;
  }
  // Resizes the area under the band bar directly, as a resize of the window
  // would (the window must be shown for the size change to be delivered).
  QWidget* resizeMiddle(int width, int height) {
    form_.show();
    QWidget* middle = find<QWidget>("PanelMiddle");
    middle->resize(width, height);
    return middle;
  }

  std::string dir_;
  StationData station_;
  Settings settings_;
  ProfileTable profiles_;
  ManualClock clock_{LocalDateTime{2026, 3, 14, 7, 5, 0}};
  MessageBoxNotifier notifier_;
  FakePort port_;
  ProductWriters products_;
  Clockwork clockwork_;
  TForm1 form_;
};

}  // namespace tavik
