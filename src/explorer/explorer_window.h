// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/clock.h"
#include "common/regional.h"
#include "explorer/archive_view.h"
#include "explorer/history_range.h"
#include "products/weather_log_reader.h"
#include "settings/settings.h"

class QDateEdit;
class QFileDialog;
class QLabel;
class QProgressBar;
class QPushButton;
class QTemporaryDir;
class QSplitter;
class QThread;
class QStackedWidget;
class QTableView;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavik {

class LogPlotWidget;

// The weather explorer ("Weather Explorer"): the station archive as a
// chart. It opens on the archive of the settings (ArchivDatei), or where
// there is none yet on the Wetterlog folder (LogOrdner), each time the
// window is shown, with the last 24 hours; the tool button opens another
// archive or Wetterlog file or folder. A Wetterlog is first read into a
// temporary archive on a thread of its own while a bar shows how far it got
// and a button cancels it; "Datei › Wetterlog importieren…" reads one into
// the station's archive the same way. The tree's quantities choose what is
// plotted (several at once with Ctrl or Shift); buttons choose a day, a
// week, a month, a year or everything, step back and forth or jump to a
// date; the wheel zooms and dragging pans. Under the chart a table
// summarises each day shown. Every step reads only what it shows from the
// archive. Created once; closing hides it.
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
  // Opens an archive, or reads a Wetterlog file or every Wetterlog under a
  // folder into a temporary archive, and shows its last 24 hours.
  void openLogPath(const QString& path);
  // Runs the folder chooser and reads the Wetterlog picked into the
  // station's archive (ArchivDatei); the summary is shown at the end.
  void importClick();
  // Reads the Wetterlog at `path` into the station's archive.
  void importLogPath(const QString& path);
  // True while a Wetterlog is being read or imported.
  bool reading() const;
  // Stops a reading or import under way at its next file.
  void cancelClick();
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
  LogColumn tableColumn(const std::vector<LogColumn>& chosen) const;
  void showMessage(const QString& text);
  void stopReading();
  // Runs `work` on a thread of its own with the progress bar and the cancel
  // button shown; `done` gets its result on this window's thread.
  template <typename Result>
  void runAway(std::function<Result(const std::atomic<bool>&)> work,
               std::function<void(const Result&)> done);
  void finishReading(const ArchiveOpening& opening, const QString& path);
  void showArchive(const std::filesystem::path& archive, const QString& path);
  void forgetOtherScratch(const std::filesystem::path& shown);
  void showProgress(size_t done, size_t total);
  bool empty() const { return !view_ || !view_->first(); }

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
  // The choosers are made at their first use: a file dialog lists and
  // watches the folder it starts in, which the window has no need to do
  // before the user asks.
  QFileDialog* makeChooser(const char* name, bool folders);
  QFileDialog* openFileDialog();
  QFileDialog* openFolderDialog();
  QFileDialog* importFolderDialog();
  QFileDialog* OpenDialog1 = nullptr;
  QFileDialog* OpenFolderDialog = nullptr;
  QFileDialog* ImportFolderDialog = nullptr;
  std::vector<std::pair<QTreeWidgetItem*, LogColumn>> quantities_;  // in tree order
  QProgressBar* ReadProgress;
  QPushButton* CancelButton;
  QLabel* ImportSummary;
  QSplitter* Splitter1;
  std::unique_ptr<ArchiveView> view_;
  std::unique_ptr<QTemporaryDir> scratch_;  // temporary archives of Wetterlogs read
  int scratchFiles_ = 0;
  QThread* reader_ = nullptr;
  std::shared_ptr<std::atomic<bool>> cancel_;
  int generation_ = 0;         // which reading the results that arrive belong to
  bool pickedByUser_ = false;  // a file or folder chosen with the tool button
  HistoryRange range_;
};

}  // namespace tavik
