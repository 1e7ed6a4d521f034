#pragma once

#include <QWidget>

#include <map>
#include <optional>

#include "common/regional.h"
#include "explorer/weather_log_reader.h"

class QFileDialog;
class QLabel;
class QStackedWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavik {

class LogPlotWidget;

// The weather explorer ("Weather Explorer"): a tree of the station's
// quantities and a button that opens a Wetterlog file; choosing a quantity
// plots its column of the file over time. Created once; closing hides it.
class TfrmExplorer : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmExplorer(const RegionalSettings& regional, QWidget* parent = nullptr);

  // Runs the file chooser; the file picked is opened.
  void ToolButton1Click();
  // Reads a Wetterlog file and shows the chosen quantity of it.
  void openLogFile(const QString& path);
  // Shows what the tree's current node stands for.
  void TreeView1Click();

 private:
  void showMessage(const QString& text);

  const RegionalSettings& regional_;
  QToolButton* ToolButton1;
  QLabel* FileLabel;
  QTreeWidget* TreeView1;
  QStackedWidget* Bevel1;
  QLabel* ContentMessage;
  LogPlotWidget* LogPlot;
  QLabel* UnreadLines;
  QFileDialog* OpenDialog1;
  std::map<const QTreeWidgetItem*, LogQuantity> quantities_;
  std::optional<WeatherLog> log_;
  QString error_;  // why the last file gave no log
};

}  // namespace tavik
