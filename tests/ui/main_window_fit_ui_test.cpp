// SPDX-License-Identifier: GPL-3.0-or-later
// The main window on small and large screens and over time: the smallest
// window fits an 800 x 480 screen with its frame, nothing is cut there or at
// 1600 x 1000, no size jump when the data come, the charts show the known
// course, the place is kept across a restart, and what the window shows
// before data, after a silence and with light and dark palettes.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QMenuBar>
#include <QProgressBar>

#include "ui/current_value_label.h"
#include "ui/longest_record.h"
#include "ui/trend_chart_widget.h"

#include "archive_rows.h"
#include "main_window_fixture.h"
#include "text_fits.h"

namespace tavik {
namespace {

// What a window manager adds around the window: a title bar and borders.
constexpr int kFrameWidth = 2 * 4;
constexpr int kFrameHeight = 30 + 4;

double luminance(const QColor& c) {
  const auto channel = [](double v) {
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class MainWindowFitTest : public MainWindowTest {
 protected:
  void fillWithLongValues() {
    station_ = StationData{longestRecord(false)};
    form_.RefreshMainWindow();
  }
  void settle() {
    for (int i = 0; i < 3; ++i) {
      QCoreApplication::sendPostedEvents();
      QCoreApplication::processEvents();
    }
  }
  void expectNothingCut(const char* where) {
    settle();
    for (const std::string& cut : test::cutTexts(&form_)) ADD_FAILURE() << where << ": " << cut;
  }
  TrendChart* chart(int n) { return find<TrendChart>(QStringLiteral("Chart%1").arg(n).toLatin1()); }
  // A good group of every kind arrives now.
  void groupsArrive() {
    seeAllGroups();
    clockwork_.goodGroupArrived();
    form_.PacketDecoded();
  }
};

TEST_F(MainWindowFitTest, SmallestWindowFitsAn800By480ScreenWithNothingCut) {
  fillWithLongValues();
  form_.show();
  form_.resize(1, 1);
  settle();
  EXPECT_LE(form_.width() + kFrameWidth, 800);
  EXPECT_LE(form_.height() + kFrameHeight, 480);
  expectNothingCut("smallest size");
  form_.resize(800 - kFrameWidth, 480 - kFrameHeight);
  expectNothingCut("800 x 480");
}

TEST_F(MainWindowFitTest, LargeWindowIsFilledByLargerValuesAndCharts) {
  fillWithLongValues();
  form_.show();
  form_.resize(1, 1);
  settle();
  const int smallFont = find("Label29")->fontInfo().pixelSize();
  const int smallChart = chart(5)->height();
  form_.resize(1600, 1000);
  expectNothingCut("1600 x 1000");
  EXPECT_GE(find("Label29")->fontInfo().pixelSize(), 2 * smallFont);
  EXPECT_GT(chart(5)->height(), smallChart + 100);
  // The group's contents reach down to its bottom: no empty half.
  const QGroupBox* box = find<QGroupBox>("GroupBox5");
  EXPECT_GT(chart(5)->geometry().bottom(), box->height() - 20);
}

TEST_F(MainWindowFitTest, FirstDataNeitherGrowTheWindowNorItsSmallestSize) {
  form_.show();
  settle();
  const QSize size = form_.size();
  const QSize smallest = form_.minimumSize();
  // Nothing has come: empty bars, a grey battery lamp.
  EXPECT_EQ(find<QProgressBar>("ProgressBar3")->value(), -60);
  fillWithLongValues();
  settle();
  EXPECT_EQ(form_.size(), size);
  EXPECT_EQ(form_.minimumSize(), smallest);
  station_ = StationData{longestRecord(true)};  // "Out of Range!" instead
  form_.RefreshMainWindow();
  settle();
  EXPECT_EQ(form_.minimumSize(), smallest);
  expectNothingCut("out of range");
}

TEST_F(MainWindowFitTest, ChartsPlotTheCourseOfTheChosenSpan) {
  form_.show();
  // Four hours of outdoor temperature, one group a minute, from 07:05.
  for (int minute = 0; minute < 240; ++minute) {
    station_.weather.TempOut.Current = minute - 100;  // tenths
    station_.weather.Wind.Speed = static_cast<uint16_t>(minute % 7);
    groupsArrive();
    clock_.advanceSeconds(60);
  }
  clock_.advanceSeconds(-60);
  form_.updateCharts();
  const std::vector<HistoryPoint>& shown = chart(5)->plottedPoints();
  ASSERT_EQ(shown.size(), 180u);  // the last 3 hours
  EXPECT_EQ(chart(5)->spanMinutes(), 180);
  EXPECT_DOUBLE_EQ(shown.front().value, (60 - 100) / 10.0);
  EXPECT_DOUBLE_EQ(shown.back().value, (239 - 100) / 10.0);
  EXPECT_EQ(shown.back().minute - shown.front().minute, 179);
  EXPECT_DOUBLE_EQ(chart(10)->plottedPoints().back().value, 239 % 7 / 10.0);
  EXPECT_EQ(chart(5)->hoverText(shown.back()), "13,9 °C am 14.03.26 um 11:04");
  // The scale holds the course: -4,0 to 13,9 °C.
  EXPECT_EQ(chart(5)->valueRange(), (ValueRange{-4.0, 13.9}));

  action("Verlauf12h")->trigger();
  EXPECT_EQ(settings_.ChartHours, 12);
  EXPECT_EQ(chart(5)->spanMinutes(), 720);
  EXPECT_EQ(chart(5)->plottedPoints().size(), 240u);
  EXPECT_TRUE(action("Verlauf12h")->isChecked());
  EXPECT_FALSE(action("Verlauf3h")->isChecked());
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

// A group that changes one quantity redraws that quantity's chart only: the
// window repaints for every read of the line, and drawing all ten courses
// each time would cost the most of it.
TEST_F(MainWindowFitTest, AChartIsDrawnAgainOnlyWhenItsCourseChanged) {
  form_.show();
  groupsArrive();
  settle();
  PaintCounter temperature(chart(5)), wind(chart(10));
  station_.weather.Wind.Speed = 42;
  groupsArrive();
  settle();
  EXPECT_EQ(temperature.paints, 0);
  EXPECT_GE(wind.paints, 1);
  // A new minute moves every course along.
  clock_.advanceSeconds(60);
  groupsArrive();
  settle();
  EXPECT_GE(temperature.paints, 1);
}

// The past comes from the station archive: the chart shows the span's rows
// as the archive holds them.
TEST_F(MainWindowFitTest, ChartsShowTheArchivesRowsOfTheSpan) {
  settings_.ArchivDatei = dir_ + "archive.sqlite";
  // Rows every ten minutes from 03:05 to 07:05; the chart shows 3 hours.
  const std::vector<ArchiveRow> rows = test::archiveRows({2026, 3, 14, 3, 5, 0}, 600, 25);
  test::writeArchive(settings_.ArchivDatei, rows);
  form_.show();
  form_.updateCharts();
  const std::vector<HistoryPoint>& shown = chart(5)->plottedPoints();
  ASSERT_EQ(shown.size(), 18u);  // 04:15 .. 07:05
  for (size_t i = 0; i < shown.size(); ++i) {
    const ArchiveRow& row = rows[rows.size() - shown.size() + i];
    EXPECT_EQ(shown[i].minute,
              minuteOf(addSeconds({2026, 3, 14, 3, 5, 0}, 600 * static_cast<long long>(7 + i))));
    EXPECT_NEAR(shown[i].value, *row.tempOut / 10.0, 1e-9);
  }
  EXPECT_NEAR(chart(6)->plottedPoints().back().value, *rows.back().baroSea / 10.0, 1e-9);
}

TEST_F(MainWindowFitTest, PlaceAndSizeAreKeptAcrossARestart) {
  form_.show();
  form_.resize(900, 620);
  form_.move(37, 41);
  settle();
  form_.close();
  EXPECT_EQ(settings_.WindowWidth, 900);
  EXPECT_EQ(settings_.WindowHeight, 620);
  EXPECT_EQ(settings_.WindowLeft, 37);
  EXPECT_EQ(settings_.WindowTop, 41);

  TForm1 again(MainWindowParts{station_, settings_, profiles_, clock_, RegionalSettings::german(),
                               clockwork_, products_});
  again.show();
  settle();
  EXPECT_EQ(again.size(), QSize(900, 620));
  EXPECT_EQ(again.pos(), QPoint(37, 41));
  again.close();

  // A place on no screen, or a size below the smallest, is not taken as it is.
  settings_.WindowLeft = -50000;
  settings_.WindowWidth = 10;
  TForm1 elsewhere(MainWindowParts{station_, settings_, profiles_, clock_,
                                   RegionalSettings::german(), clockwork_, products_});
  elsewhere.show();
  settle();
  EXPECT_GT(elsewhere.pos().x(), -1000);
  EXPECT_GE(elsewhere.width(), elsewhere.minimumWidth());
}

TEST_F(MainWindowFitTest, SilenceSinceActivationIsToldAndStaleValuesFade) {
  settings_.ImportInterval = 0;
  form_.show();
  action("C1")->trigger();  // 07:05:00, nothing arrives
  clock_.advanceSeconds(59);
  clockwork_.tmrSekundenTimer();
  EXPECT_EQ(text("LabelKeineDaten"), "");
  clock_.advanceSeconds(1);
  clockwork_.tmrSekundenTimer();
  EXPECT_EQ(text("LabelKeineDaten"), "keine Daten seit 07:05");

  groupsArrive();
  clockwork_.tmrSekundenTimer();
  EXPECT_EQ(text("LabelKeineDaten"), "");
  const QGroupBox* box = find<QGroupBox>("GroupBox5");
  const QColor fresh = box->palette().color(QPalette::WindowText);
  EXPECT_EQ(find("Label29")->palette().color(QPalette::WindowText), fresh);
  clock_.advanceSeconds(61);
  clockwork_.tmrSekundenTimer();
  EXPECT_EQ(text("LabelKeineDaten"), "keine Daten seit 07:06");
  const QColor faded = find("Label29")->palette().color(QPalette::WindowText);
  EXPECT_NE(faded, fresh);
  // Faded towards the background: less contrast, still readable.
  const QColor background = box->palette().color(QPalette::Window);
  EXPECT_LT(contrast(faded, background), contrast(fresh, background));
  EXPECT_GT(contrast(faded, background), 1.5);
  // Its bar and chart fade with it.
  const auto* bar = find<QProgressBar>("ProgressBar3");
  EXPECT_LT(contrast(bar->palette().color(QPalette::Highlight), background),
            contrast(QApplication::palette().color(QPalette::Highlight), background));
  EXPECT_EQ(chart(5)->palette().color(QPalette::WindowText), faded);

  groupsArrive();
  clockwork_.tmrSekundenTimer();
  EXPECT_EQ(find("Label29")->palette().color(QPalette::WindowText), fresh);
  EXPECT_EQ(bar->palette().color(QPalette::Highlight),
            QApplication::palette().color(QPalette::Highlight));
}

TEST_F(MainWindowFitTest, GroupsReadWellWithLightAndDarkPalettes) {
  const QPalette original = QApplication::palette();
  QPalette dark = original;
  dark.setColor(QPalette::Window, QColor(32, 33, 36));
  dark.setColor(QPalette::WindowText, QColor(232, 234, 237));
  dark.setColor(QPalette::Button, QColor(45, 46, 50));
  dark.setColor(QPalette::ButtonText, QColor(232, 234, 237));
  for (const QPalette& palette : {original, dark}) {
    QApplication::setPalette(palette);
    form_.applyGroupAppearance();
    for (int n = 2; n <= 11; ++n) {
      const QPalette p = form_.group(n)->palette();
      EXPECT_GT(contrast(p.color(QPalette::WindowText), p.color(QPalette::Window)), 4.5) << n;
      EXPECT_EQ(chart(n)->palette().color(QPalette::WindowText), p.color(QPalette::WindowText));
    }
  }
  QApplication::setPalette(original);
}

}  // namespace
}  // namespace tavik
