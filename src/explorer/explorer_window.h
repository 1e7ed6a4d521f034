// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/clock.h"
#include "common/regional.h"
#include "explorer/history_range.h"
#include "explorer/log_history.h"
#include "products/weather_log_reader.h"
#include "settings/settings.h"

class QDateEdit;
class QFileDialog;
class QLabel;
class QProgressBar;
class QSplitter;
class QThread;
class QStackedWidget;
class QTableView;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavik {

class LogPlotWidget;

// The weather explorer ("Weather Explorer"): the Wetterlog history as a
// chart. It opens on the Wetterlog folder of the settings (LogOrdner),
// read again each time the window is shown, with the last 24 hours; the
// tool button opens another Wetterlog file or folder. The tree's quantities
// choose what is plotted (several at once with Ctrl or Shift); buttons
// choose a day, a week, a month, a year or everything, step back and forth
// or jump to a date; the wheel zooms and dragging pans. Under the chart a
// table summarises each day shown. The log is read on a thread of its own
// while a bar shows how far it got; the file the station writes now comes
// first, so its last day is shown before the rest is read. Created once;
// closing hides it.
class TfrmExplorer : public QWidget {
  Q_OBJECT

 public:
  TfrmExplorer(const Settings& settings, const Clock& clock, const RegionalSettings& regional,
               QWidget* parent = nullptr);
  ~TfrmExplorer() override;

  // Runs the file chooser; the file picked is opened.
  void ToolButton1Click();
  // Runs the folder chooser; the folder picked is opened.
  void openFolderClick();
  // Starts reading a Wetterlog file or every Wetterlog under a folder and
  // shows the last 24 hours of it as soon as they are read.
  void openLogPath(const QString& path);
  // True while a Wetterlog is being read.
  bool reading() const;
  // Shows a history that has been read, `path` naming where it came from;
  // the first one of a reading shows its last 24 hours, a later one (the
  // rest of the same log) keeps the stretch shown.
  void showHistory(std::shared_ptr<const LogHistory> history, const QString& path);
  // Plots the quantities chosen in the tree.
  void TreeView1Click();
  void showRange(RangeKind kind);
  void previousClick();
  void nextClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* buildToolBar();
  QWidget* buildTree();
  QWidget* buildContent();
  QWidget* buildRangeBar();
  void jumpTo();
  void zoom(double factor, double at);
  void pan(long long seconds);
  void refresh();
  void fillTable(LogColumn column);
  std::vector<LogColumn> chosenColumns() const;
  void showMessage(const QString& text);
  void stopReading();
  void finishReading(const HistoryResult& result, const QString& path);
  void showProgress(size_t done, size_t total);
  const std::vector<WeatherLogRow>& rows() const { return history_->log.rows; }

  const Settings& settings_;
  const Clock& clock_;
  const RegionalSettings& regional_;
  QToolButton* ToolButton1;
  QLabel* FileLabel;
  QLabel* RangeLabel;
  QTreeWidget* TreeView1;
  QStackedWidget* Bevel1;
  QLabel* ContentMessage;
  std::array<QToolButton*, 5> rangeButtons_{};  // day, week, month, year, all
  QToolButton* PreviousButton;
  QToolButton* NextButton;
  QDateEdit* JumpDate;
  LogPlotWidget* LogPlot;
  QTableView* DailyTable;
  QLabel* UnreadLines;
  QFileDialog* OpenDialog1;
  QFileDialog* OpenFolderDialog;
  std::vector<std::pair<QTreeWidgetItem*, LogColumn>> quantities_;  // in tree order
  QProgressBar* ReadProgress;
  QSplitter* Splitter1;
  std::shared_ptr<const LogHistory> history_ = std::make_shared<LogHistory>();
  QThread* reader_ = nullptr;
  std::shared_ptr<std::atomic<bool>> cancel_;
  int generation_ = 0;
  bool rangeChosen_ = false;   // the reading under way has set the stretch  // which reading the
                               // results that arrive belong to
  bool pickedByUser_ = false;  // a file or folder chosen with the tool button
  HistoryRange range_;
};

}  // namespace tavik
