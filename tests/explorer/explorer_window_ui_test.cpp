#include "explorer/explorer_window.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLabel>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <fstream>

#include "explorer/log_plot_widget.h"
#include "temp_folder.h"

namespace tavik {
namespace {

constexpr const char* kLog =
    "   Datum    Uhrzeit  FeuchtO  FeuchtI  TempI  TempO  TaupI  TaupO  BaroL   BaroS  Trend      "
    "     Vorher      Regen  WindS  WindR  Chill\r\n"
    "08.12.26   14:30:45       87       45   21.5   -3.5      9      2    987  1013.2  steigend  "
    "      bewölkt          11    5.3    270     -6\r\n"
    "08.12.26   14:40:45       90       44   21.7   -2.0      9      1    988  1012.9            "
    "                     0    7.1    260     -7\r\n";

struct ExplorerTest : ::testing::Test {
  QTreeWidget* tree() { return window.findChild<QTreeWidget*>("TreeView1"); }
  LogPlotWidget* plot() { return window.findChild<LogPlotWidget*>("LogPlot"); }
  QString message() { return window.findChild<QLabel*>("ContentMessage")->text(); }
  bool plotShown() { return window.findChild<QStackedWidget*>("Bevel1")->currentIndex() == 1; }
  QTreeWidgetItem* node(const char* group, const char* name) {
    QTreeWidgetItem* root = tree()->topLevelItem(0);
    for (int g = 0; g < root->childCount(); ++g) {
      QTreeWidgetItem* groupItem = root->child(g);
      if (groupItem->text(0) != group) continue;
      for (int i = 0; i < groupItem->childCount(); ++i) {
        if (groupItem->child(i)->text(0) == QString::fromUtf8(name)) return groupItem->child(i);
      }
    }
    return nullptr;
  }
  QString writeFile(const char* name, const char* bytes) {
    const auto path = folder.path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return QString::fromStdString(path.string());
  }

  testing::TempFolder folder;
  TfrmExplorer window{RegionalSettings::german()};
};

TEST_F(ExplorerTest, HasTheFixedTree) {
  EXPECT_EQ(window.windowTitle(), "Weather Explorer");
  ASSERT_EQ(tree()->topLevelItemCount(), 1);
  QTreeWidgetItem* root = tree()->topLevelItem(0);
  EXPECT_EQ(root->text(0), "WM918/Tavik");
  ASSERT_EQ(root->childCount(), 2);
  auto children = [](QTreeWidgetItem* item) {
    QStringList names;
    for (int i = 0; i < item->childCount(); ++i) names << item->child(i)->text(0);
    return names;
  };
  EXPECT_EQ(root->child(0)->text(0), "Aussen");
  EXPECT_EQ(children(root->child(0)), (QStringList{"Luftfeuchtigkeit", "Temperatur", "Taupunkt",
                                                   "Barometer", "Regen", "Wind"}));
  EXPECT_EQ(root->child(1)->text(0), "Innen");
  EXPECT_EQ(children(root->child(1)), (QStringList{"Luftfeuchtigkeit", "Temperatut", "Taupunkt"}));
  EXPECT_EQ(tree()->indentation(), 19);
  EXPECT_FALSE(window.findChild<QToolButton*>("ToolButton1")->text().isEmpty());
}

TEST_F(ExplorerTest, PlotsTheChosenColumnOfAWetterlog) {
  tree()->setCurrentItem(node("Aussen", "Temperatur"));
  EXPECT_FALSE(plotShown());
  EXPECT_TRUE(message().contains("Wetterlog-Datei"));

  window.openLogFile(writeFile("t08.12.26.txt", kLog));
  ASSERT_TRUE(plotShown());
  EXPECT_EQ(plot()->quantity(), LogQuantity::TempOut);
  const long long start = secondsOf(LocalDateTime{2026, 12, 8, 14, 30, 45, 0});
  EXPECT_EQ(plot()->points(), (std::vector<SeriesPoint>{{start, -3.5}, {start + 600, -2.0}}));

  tree()->setCurrentItem(node("Innen", "Temperatut"));
  EXPECT_EQ(plot()->quantity(), LogQuantity::TempIn);
  EXPECT_EQ(plot()->points()[1].value, 21.7);
  tree()->setCurrentItem(node("Aussen", "Wind"));
  EXPECT_EQ(plot()->points()[1].value, 7.1);
  tree()->setCurrentItem(node("Aussen", "Barometer"));
  EXPECT_EQ(plot()->points()[0].value, 1013.2);

  // A group node plots nothing.
  tree()->setCurrentItem(tree()->topLevelItem(0)->child(1));
  EXPECT_FALSE(plotShown());
  EXPECT_EQ(message(), QString::fromUtf8("Bitte eine Messgröße im Baum wählen."));
  // Drawing does not fail on the data.
  tree()->setCurrentItem(node("Aussen", "Regen"));
  plot()->resize(500, 300);
  EXPECT_FALSE(plot()->grab().isNull());
}

TEST_F(ExplorerTest, AFileThatIsNoWetterlogSaysSo) {
  tree()->setCurrentItem(node("Aussen", "Regen"));
  window.openLogFile(writeFile("aprs.txt", "Dez 08 2026 14:05\r\n180/005g012\r\n"));
  EXPECT_FALSE(plotShown());
  EXPECT_EQ(message(), QString::fromUtf8("Die Datei „aprs.txt“ ist keine Wetterlog-Datei: ihr "
                                         "fehlt die Kopfzeile des Wetterlogs."));
  // A Wetterlog picked afterwards is plotted again.
  window.openLogFile(writeFile("log.txt", kLog));
  EXPECT_TRUE(plotShown());
  EXPECT_EQ(plot()->points()[0].value, 11);
}

TEST_F(ExplorerTest, TheToolButtonOpensThePickedFile) {
  const QString path = writeFile("w49.2026.txt", kLog);
  tree()->setCurrentItem(node("Innen", "Luftfeuchtigkeit"));
  QTimer::singleShot(0, [&] {
    auto* chooser = window.findChild<QFileDialog*>("OpenDialog1");
    ASSERT_TRUE(chooser->isVisible());
    chooser->selectFile(path);
    QMetaObject::invokeMethod(chooser, &QDialog::accept);
  });
  QTest::mouseClick(window.findChild<QToolButton*>("ToolButton1"), Qt::LeftButton);
  ASSERT_TRUE(plotShown());
  EXPECT_EQ(plot()->points()[0].value, 45);
  EXPECT_EQ(window.findChild<QLabel*>("FileLabel")->text(), "w49.2026.txt");

  // Cancelling keeps what is shown.
  QTimer::singleShot(0, [&] { window.findChild<QFileDialog*>("OpenDialog1")->reject(); });
  window.ToolButton1Click();
  EXPECT_TRUE(plotShown());
}

}  // namespace
}  // namespace tavik
