// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/explorer_window.h"

#include <QDateEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <chrono>
#include <span>

#include "explorer/daily_table_model.h"
#include "explorer/log_plot_widget.h"
#include "explorer/log_quantity.h"
#include "products/weather_log_import.h"
#include "widgets/named.h"

namespace tavik {

namespace {

struct Node {
  const char* text;
  LogColumn column;
};

constexpr Node kOutside[] = {{"Luftfeuchtigkeit", LogColumn::FeuchtO},
                             {"Temperatur", LogColumn::TempO},
                             {"Taupunkt", LogColumn::TaupO},
                             {"Barometer", LogColumn::BaroS},
                             {"Regen", LogColumn::Regen},
                             {"Wind", LogColumn::WindS}};
constexpr Node kInside[] = {{"Luftfeuchtigkeit", LogColumn::FeuchtI},
                            {"Temperatut", LogColumn::TempI},
                            {"Taupunkt", LogColumn::TaupI}};

struct RangeChoice {
  const char* name;
  const char* text;
  RangeKind kind;
};
constexpr std::array<RangeChoice, 5> kRanges = {{{"DayButton", "Tag", RangeKind::Day},
                                                 {"WeekButton", "Woche", RangeKind::Week},
                                                 {"MonthButton", "Monat", RangeKind::Month},
                                                 {"YearButton", "Jahr", RangeKind::Year},
                                                 {"AllButton", "Alles", RangeKind::All}}};

constexpr long long kDay = 86400;
// How long after an archive was opened the explorer reads ahead: time for
// the first picture to be painted, less than anyone takes to press a button.
constexpr std::chrono::milliseconds kReadAheadDelay{100};
constexpr int kTableRows = 7;       // rows measured for the table's column widths
constexpr int kLeastTableRows = 3;  // rows the table always keeps in sight

QString qs(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TfrmExplorer::TfrmExplorer(const Settings& settings, const Clock& clock,
                           const RegionalSettings& regional, QWidget* parent)
    : QWidget(parent, Qt::Tool), settings_(settings), clock_(clock), regional_(regional) {
  setObjectName("frmExplorer");
  setWindowTitle(QStringLiteral("Weather Explorer"));
  resize(765, 440);

  Splitter1 = named(new QSplitter, "Splitter1");
  Splitter1->setHandleWidth(8);
  Splitter1->addWidget(buildTree());
  Splitter1->addWidget(buildContent());
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setChildrenCollapsible(false);
  // 121 pixels wide, or wider where the font needs it for the node texts,
  // but no more than a quarter of the window; a wider window gives the
  // room to the chart, and the splitter moves it.
  TreeView1->resizeColumnToContents(0);
  const int treeWidth =
      std::min(std::max(121, TreeView1->columnWidth(0) + 2 * TreeView1->frameWidth()), width() / 4);
  Splitter1->setSizes({treeWidth, width() - 8 - treeWidth});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* menuBar = named(new QMenuBar, "MainMenu1");
  QMenu* fileMenu = menuBar->addMenu(QString::fromUtf8("&Datei"));
  fileMenu
      ->addAction(QString::fromUtf8("Wetterlog &importieren…"), this, &TfrmExplorer::importClick)
      ->setObjectName("ImportItem");
  layout->setMenuBar(menuBar);
  layout->addWidget(buildToolBar());
  layout->addWidget(Splitter1, 1);

  // The tree is narrow, the chart takes at least half the height and the
  // table three rows at the designed size; the height grows where the fonts
  // need it.
  resize(width(), std::max(height(), minimumSizeHint().height()));

  connect(LogPlot, &LogPlotWidget::zoomRequested, this, &TfrmExplorer::zoom);
  connect(LogPlot, &LogPlotWidget::panRequested, this, &TfrmExplorer::pan);
  connect(TreeView1, &QTreeWidget::itemSelectionChanged, this, &TfrmExplorer::TreeView1Click);
  TreeView1->setCurrentItem(quantities_[1].first);  // outside temperature
  showMessage(QString::fromUtf8("Noch kein Wetterlog geöffnet."));
}

QWidget* TfrmExplorer::buildToolBar() {
  auto* CoolBar1 = named(new QWidget, "CoolBar1");
  CoolBar1->setFixedHeight(41);
  auto* ToolBar1 = named(new QToolBar(CoolBar1), "ToolBar1");
  ToolBar1->setFixedHeight(25);
  // The style's frame and item margins would leave the button too little
  // of the 25 pixels.
  ToolBar1->setStyleSheet(QStringLiteral("QToolBar { border: 0px; padding: 0px; spacing: 0px; }"));
  ToolBar1->layout()->setContentsMargins(0, 0, 0, 0);
  // A click opens a file; the arrow also offers a folder.
  ToolButton1 = named(new QToolButton, "ToolButton1");
  ToolButton1->setText(QString::fromUtf8("Öffnen..."));
  ToolButton1->setToolTip(QString::fromUtf8("Archiv, Wetterlog-Datei oder -Ordner öffnen"));
  ToolButton1->setPopupMode(QToolButton::MenuButtonPopup);
  auto* menu = new QMenu(ToolButton1);
  menu->addAction(QString::fromUtf8("Datei öffnen..."), this, &TfrmExplorer::ToolButton1Click);
  menu->addAction(QString::fromUtf8("Ordner öffnen..."), this, &TfrmExplorer::openFolderClick);
  ToolButton1->setMenu(menu);
  ToolBar1->addWidget(ToolButton1);
  FileLabel = named(new QLabel, "FileLabel");
  FileLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  RangeLabel = named(new QLabel, "RangeLabel");
  ReadProgress = named(new QProgressBar, "ReadProgress");
  ReadProgress->setFormat(QString::fromUtf8("Lese %v von %m Dateien"));
  // Wide enough for the longest text it shows, so that none is cut.
  ReadProgress->setFixedWidth(ReadProgress->fontMetrics().horizontalAdvance(
                                  QString::fromUtf8("Lese 88888 von 88888 Dateien")) +
                              24);
  ReadProgress->hide();
  CancelButton = named(new QPushButton(QString::fromUtf8("Abbrechen")), "CancelButton");
  CancelButton->hide();
  auto* band = new QHBoxLayout(CoolBar1);
  band->setContentsMargins(4, 8, 8, 8);
  band->addWidget(ToolBar1);
  band->addWidget(FileLabel, 1);
  band->addWidget(ReadProgress);
  band->addWidget(CancelButton);
  band->addWidget(RangeLabel);
  connect(ToolButton1, &QToolButton::clicked, this, &TfrmExplorer::ToolButton1Click);
  connect(CancelButton, &QPushButton::clicked, this, &TfrmExplorer::cancelClick);
  return CoolBar1;
}

QWidget* TfrmExplorer::buildTree() {
  TreeView1 = named(new QTreeWidget, "TreeView1");
  TreeView1->setHeaderHidden(true);
  TreeView1->setIndentation(19);
  TreeView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* root = new QTreeWidgetItem(TreeView1, {QStringLiteral("WM918/Tavik")});
  for (const auto& [group, nodes] : {std::pair{"Aussen", std::span<const Node>(kOutside)},
                                     {"Innen", std::span<const Node>(kInside)}}) {
    auto* groupItem = new QTreeWidgetItem(root, {QString::fromUtf8(group)});
    for (const Node& node : nodes) {
      quantities_.emplace_back(new QTreeWidgetItem(groupItem, {QString::fromUtf8(node.text)}),
                               node.column);
    }
  }
  TreeView1->expandAll();
  return TreeView1;
}

QWidget* TfrmExplorer::buildRangeBar() {
  auto* bar = named(new QWidget, "RangeBar");
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(2);
  for (size_t i = 0; i < kRanges.size(); ++i) {
    auto* button = named(new QToolButton, kRanges[i].name);
    button->setText(QString::fromUtf8(kRanges[i].text));
    button->setCheckable(true);
    button->setAutoExclusive(true);
    connect(button, &QToolButton::clicked, this,
            [this, kind = kRanges[i].kind] { showRange(kind); });
    rangeButtons_[i] = button;
    row->addWidget(button);
  }
  row->addSpacing(8);
  PreviousButton = named(new QToolButton, "PreviousButton");
  PreviousButton->setText(QString::fromUtf8("◀ Zurück"));
  NextButton = named(new QToolButton, "NextButton");
  NextButton->setText(QString::fromUtf8("Vor ▶"));
  row->addWidget(PreviousButton);
  row->addWidget(NextButton);
  row->addStretch(1);
  auto* jumpLabel = named(new QLabel(QString::fromUtf8("Gehe zu:")), "JumpLabel");
  JumpDate = named(new QDateEdit, "JumpDate");
  JumpDate->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  JumpDate->setCalendarPopup(true);
  jumpLabel->setBuddy(JumpDate);
  row->addWidget(jumpLabel);
  row->addWidget(JumpDate);
  connect(PreviousButton, &QToolButton::clicked, this, &TfrmExplorer::previousClick);
  connect(NextButton, &QToolButton::clicked, this, &TfrmExplorer::nextClick);
  connect(JumpDate, &QDateEdit::dateChanged, this, &TfrmExplorer::jumpTo);
  return bar;
}

QWidget* TfrmExplorer::buildContent() {
  Bevel1 = named(new QStackedWidget, "Bevel1");
  Bevel1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  ContentMessage = named(new QLabel, "ContentMessage");
  ContentMessage->setAlignment(Qt::AlignCenter);
  ContentMessage->setWordWrap(true);
  ContentMessage->setMargin(12);

  LogPlot = new LogPlotWidget(regional_);
  DailyTable = named(new QTableView, "DailyTable");
  DailyTable->setModel(new DailyTableModel(regional_, DailyTable));
  DailyTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DailyTable->verticalHeader()->setVisible(false);
  // Columns as wide as the first rows need: every day's texts are alike,
  // and measuring a year of rows would make each step slow.
  DailyTable->horizontalHeader()->setResizeContentsPrecision(2 * kTableRows);
  // Rows as high as the text needs, so that a week fits a small screen.
  DailyTable->verticalHeader()->setDefaultSectionSize(DailyTable->fontMetrics().height() + 6);
  DailyTable->setMinimumHeight(
      DailyTable->horizontalHeader()->sizeHint().height() +
      kLeastTableRows * DailyTable->verticalHeader()->defaultSectionSize() +
      2 * DailyTable->frameWidth() + DailyTable->horizontalScrollBar()->sizeHint().height());
  LogPlot->setMinimumHeight(120);
  auto* chartAndTable = named(new QSplitter(Qt::Vertical), "ChartSplitter");
  chartAndTable->setChildrenCollapsible(false);
  chartAndTable->addWidget(LogPlot);
  chartAndTable->addWidget(DailyTable);
  chartAndTable->setStretchFactor(0, 3);
  chartAndTable->setStretchFactor(1, 1);
  chartAndTable->setSizes({3000, 1000});  // a weight: three quarters for the chart
  UnreadLines = named(new QLabel, "UnreadLines");
  UnreadLines->setWordWrap(true);
  ImportSummary = named(new QLabel, "ImportSummary");
  ImportSummary->setWordWrap(true);
  ImportSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
  ImportSummary->hide();

  auto* historyPage = new QWidget;
  auto* column = new QVBoxLayout(historyPage);
  column->setContentsMargins(4, 4, 4, 4);
  column->addWidget(buildRangeBar());
  column->addWidget(chartAndTable, 1);
  column->addWidget(UnreadLines);
  column->addWidget(ImportSummary);
  Bevel1->addWidget(ContentMessage);
  Bevel1->addWidget(historyPage);
  return Bevel1;
}

void TfrmExplorer::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (pickedByUser_ || reading()) return;
  std::error_code ec;
  if (!settings_.ArchivDatei.empty() && std::filesystem::exists(settings_.ArchivDatei, ec)) {
    return openLogPath(qs(settings_.ArchivDatei));
  }
  if (settings_.LogOrdner.empty()) {
    return showMessage(QString::fromUtf8(
        "Es ist kein Ordner für den Wetterlog eingestellt (Einstellungen, „Wetterlog...“)."));
  }
  openLogPath(qs(settings_.LogOrdner));
}

QFileDialog* TfrmExplorer::makeChooser(const char* name, bool folders) {
  auto* chooser = named(new QFileDialog(this), name);
  chooser->setOption(QFileDialog::DontUseNativeDialog);
  chooser->setFileMode(folders ? QFileDialog::Directory : QFileDialog::ExistingFile);
  if (folders) chooser->setOption(QFileDialog::ShowDirsOnly);
  return chooser;
}

QFileDialog* TfrmExplorer::openFileDialog() {
  if (OpenDialog1) return OpenDialog1;
  OpenDialog1 = makeChooser("OpenDialog1", false);
  OpenDialog1->setDefaultSuffix(QStringLiteral("txt"));
  OpenDialog1->setNameFilters({QStringLiteral("Wetterlog (*.txt)"),
                               QStringLiteral("Archiv (*.sqlite)"),
                               QStringLiteral("Alle Dateien (*)")});
  return OpenDialog1;
}

QFileDialog* TfrmExplorer::openFolderDialog() {
  if (!OpenFolderDialog) OpenFolderDialog = makeChooser("OpenFolderDialog", true);
  return OpenFolderDialog;
}

QFileDialog* TfrmExplorer::importFolderDialog() {
  if (ImportFolderDialog) return ImportFolderDialog;
  ImportFolderDialog = makeChooser("ImportFolderDialog", true);
  ImportFolderDialog->setWindowTitle(QString::fromUtf8("Wetterlog ins Archiv importieren"));
  return ImportFolderDialog;
}

void TfrmExplorer::ToolButton1Click() {
  // The choosers start in the Wetterlog folder of the settings.
  QFileDialog* chooser = openFileDialog();
  if (!settings_.LogOrdner.empty()) chooser->setDirectory(qs(settings_.LogOrdner));
  if (chooser->exec() != QDialog::Accepted || chooser->selectedFiles().isEmpty()) return;
  pickedByUser_ = true;
  openLogPath(chooser->selectedFiles().front());
}

void TfrmExplorer::openFolderClick() {
  QFileDialog* chooser = openFolderDialog();
  if (!settings_.LogOrdner.empty()) chooser->setDirectory(qs(settings_.LogOrdner));
  if (chooser->exec() != QDialog::Accepted || chooser->selectedFiles().isEmpty()) return;
  pickedByUser_ = true;
  openLogPath(chooser->selectedFiles().front());
}

void TfrmExplorer::importClick() {
  QFileDialog* chooser = importFolderDialog();
  if (!settings_.LogOrdner.empty()) chooser->setDirectory(qs(settings_.LogOrdner));
  if (chooser->exec() != QDialog::Accepted || chooser->selectedFiles().isEmpty()) return;
  importLogPath(chooser->selectedFiles().front());
}

TfrmExplorer::~TfrmExplorer() { stopReading(); }

bool TfrmExplorer::reading() const { return reader_ != nullptr; }

void TfrmExplorer::cancelClick() {
  if (cancel_) cancel_->store(true);
}

// Lets a reading still running end at its next file; what it found is not
// shown.
void TfrmExplorer::stopReading() {
  ++generation_;
  if (cancel_) cancel_->store(true);
  if (reader_ != nullptr) {
    reader_->wait();
    delete reader_;
    reader_ = nullptr;
  }
  ReadProgress->hide();
  CancelButton->hide();
}

template <typename Result>
void TfrmExplorer::runAway(std::function<Result(const std::atomic<bool>&)> work,
                           std::function<void(const Result&)> done) {
  stopReading();
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  ReadProgress->setRange(0, 0);
  ReadProgress->show();
  CancelButton->show();
  const int generation = generation_;
  // The thread hands its results to this window's thread; a result of an
  // earlier run (another generation) is dropped.
  reader_ = QThread::create([this, generation, work, done, cancel = cancel_] {
    Result result = work(*cancel);
    QMetaObject::invokeMethod(
        this,
        [this, generation, done, result] {
          if (generation != generation_) return;
          reader_->wait();
          delete reader_;
          reader_ = nullptr;
          ReadProgress->hide();
          CancelButton->hide();
          done(result);
        },
        Qt::QueuedConnection);
  });
  reader_->start();
}

void TfrmExplorer::openLogPath(const QString& path) {
  FileLabel->setText(QFileInfo(path).fileName());
  FileLabel->setToolTip(path);
  ImportSummary->hide();
  if (empty()) showMessage(QString::fromUtf8("Der Wetterlog wird gelesen …"));
  if (!scratch_) scratch_ = std::make_unique<QTemporaryDir>();
  const std::filesystem::path scratch =
      scratch_->filePath(QStringLiteral("wetterlog-%1.sqlite").arg(++scratchFiles_)).toStdString();
  const int generation = generation_ + 1;  // the one runAway starts
  auto progress = [this, generation](size_t done, size_t total) {
    QMetaObject::invokeMethod(
        this,
        [this, generation, done, total] {
          if (generation == generation_) showProgress(done, total);
        },
        Qt::QueuedConnection);
  };
  runAway<ArchiveOpening>(
      [path = path.toStdString(), scratch, progress,
       rs = regional_](const std::atomic<bool>& cancel) {
        return prepareArchive(path, scratch, rs, progress, &cancel);
      },
      [this, path](const ArchiveOpening& opening) { finishReading(opening, path); });
}

void TfrmExplorer::importLogPath(const QString& path) {
  if (settings_.ArchivDatei.empty()) {
    return showMessage(QString::fromUtf8("Es ist keine Archivdatei eingestellt."));
  }
  const int generation = generation_ + 1;
  auto progress = [this, generation](size_t done, size_t total) {
    QMetaObject::invokeMethod(
        this,
        [this, generation, done, total] {
          if (generation == generation_) showProgress(done, total);
        },
        Qt::QueuedConnection);
  };
  const std::filesystem::path archive = settings_.ArchivDatei;
  runAway<std::string>(
      [path = path.toStdString(), archive, progress,
       rs = regional_](const std::atomic<bool>& cancel) {
        std::string error;
        const std::unique_ptr<ArchiveWriter> writer = ArchiveWriter::open(archive, error);
        if (!writer) return error;
        return importSummaryText(importWeatherLogs(*writer, {path}, rs, progress, &cancel));
      },
      [this, archive](const std::string& summary) {
        pickedByUser_ = true;
        openLogPath(qs(archive.string()));
        ImportSummary->setText(qs(summary));
        ImportSummary->show();
      });
}

void TfrmExplorer::showProgress(size_t done, size_t total) {
  ReadProgress->setRange(0, static_cast<int>(total));
  ReadProgress->setValue(static_cast<int>(done));
}

void TfrmExplorer::finishReading(const ArchiveOpening& opening, const QString& path) {
  if (!opening.archive) {
    view_.reset();
    return showMessage(opening.error ? qs(*opening.error)
                                     : QString::fromUtf8("Das Lesen wurde abgebrochen."));
  }
  const size_t unread = opening.unread.size();
  UnreadLines->setText(
      unread == 0
          ? QString()
          : QString::fromUtf8("%1 Zeile(n) konnten nicht gelesen werden, zuerst %2 Zeile %3: %4.")
                .arg(unread)
                .arg(QFileInfo(qs(opening.unread.front().file)).fileName())
                .arg(opening.unread.front().line)
                .arg(qs(opening.unread.front().why)));
  UnreadLines->setVisible(unread != 0);
  showArchive(*opening.archive, path);
}

// The temporary archives of earlier readings are no longer shown.
void TfrmExplorer::forgetOtherScratch(const std::filesystem::path& shown) {
  if (!scratch_) return;
  std::error_code ec;
  const std::string keep = shown.filename().string();
  for (const auto& entry :
       std::filesystem::directory_iterator(scratch_->path().toStdString(), ec)) {
    if (entry.path().filename().string().rfind(keep, 0) != 0) std::filesystem::remove(entry, ec);
  }
}

void TfrmExplorer::showArchive(const std::filesystem::path& archive, const QString& path) {
  std::string error;
  std::unique_ptr<ArchiveHistory> history = ArchiveHistory::open(archive, error);
  if (!history) {
    view_.reset();
    return showMessage(qs(error));
  }
  view_ = std::make_unique<ArchiveView>(std::move(history));
  forgetOtherScratch(archive);
  if (empty()) {
    return showMessage(QString::fromUtf8("Der Wetterlog „%1“ enthält noch keine Messwerte.")
                           .arg(QFileInfo(path).fileName()));
  }
  // The last 24 hours; when the archive ends earlier, its last 24 hours.
  const long long now = secondsOf(clock_.now());
  const long long last = *view_->last();
  const long long end = last < now - kDay ? last + 1 : now;
  range_.show(RangeKind::Day, end, *view_->first(), last);
  Bevel1->setCurrentIndex(1);
  refresh();
  // The daily summaries of the whole archive are read once the first
  // picture is up, so that the first long stretch comes as quickly as any.
  QTimer::singleShot(kReadAheadDelay, this, [this] {
    if (view_) view_->keepDays(tableColumn(chosenColumns()));
  });
}

void TfrmExplorer::TreeView1Click() {
  if (Bevel1->currentIndex() == 1) refresh();
}

void TfrmExplorer::showRange(RangeKind kind) {
  if (empty()) return;
  // The new stretch ends where the shown one ends.
  range_.show(kind, range_.to(), *view_->first(), *view_->last());
  refresh();
}

void TfrmExplorer::previousClick() {
  range_.previous();
  refresh();
}

void TfrmExplorer::nextClick() {
  range_.next();
  refresh();
}

void TfrmExplorer::jumpTo() {
  const QDate d = JumpDate->date();
  range_.jumpTo(d.year(), d.month(), d.day());
  refresh();
}

void TfrmExplorer::zoom(double factor, double at) {
  range_.zoom(factor, at);
  refresh();
}

void TfrmExplorer::pan(long long seconds) {
  range_.pan(seconds);
  refresh();
}

std::vector<LogColumn> TfrmExplorer::chosenColumns() const {
  std::vector<LogColumn> columns;
  for (const auto& [item, column] : quantities_) {
    if (item->isSelected()) columns.push_back(column);
  }
  return columns;
}

// The table follows the current node when it is a quantity, otherwise the
// first quantity chosen.
LogColumn TfrmExplorer::tableColumn(const std::vector<LogColumn>& chosen) const {
  auto current = std::find_if(quantities_.begin(), quantities_.end(),
                              [&](const auto& q) { return q.first == TreeView1->currentItem(); });
  if (current != quantities_.end() && current->first->isSelected()) return current->second;
  return chosen.empty() ? LogColumn::TempO : chosen.front();
}

void TfrmExplorer::refresh() {
  const std::vector<LogColumn> columns = chosenColumns();
  // The table goes first: of a long stretch it reads the most daily
  // summaries, which the chart then finds kept.
  fillTable(tableColumn(columns));
  const ArchiveView* view = view_.get();
  LogPlot->setView(
      [view](LogColumn c, long long from, long long to, int width) {
        return view != nullptr ? view->series(c, from, to, width)
                               : plotSeries({}, c, from, to, width);
      },
      columns, range_.from(), range_.to());
  // A free stretch (zoomed or dragged) checks no button, which exclusive
  // buttons allow only while they are not exclusive.
  for (size_t i = 0; i < kRanges.size(); ++i) {
    rangeButtons_[i]->setAutoExclusive(false);
    rangeButtons_[i]->setChecked(range_.kind() == kRanges[i].kind);
    rangeButtons_[i]->setAutoExclusive(true);
  }
  const bool all = range_.kind() == RangeKind::All;
  PreviousButton->setEnabled(!all);
  NextButton->setEnabled(!all);
  const LocalDateTime from = timeOfSeconds(range_.from()), to = timeOfSeconds(range_.to());
  RangeLabel->setText(qs(formatDateTime("dd/mm/yy hh:nn", from, regional_) + " – " +
                         formatDateTime("dd/mm/yy hh:nn", to, regional_)));
  const LocalDateTime last = timeOfSeconds(range_.to() - 1);
  const QSignalBlocker quiet(JumpDate);
  JumpDate->setDate(QDate(last.year, last.month, last.day));
}

void TfrmExplorer::fillTable(LogColumn column) {
  static_cast<DailyTableModel*>(DailyTable->model())
      ->setDays(view_ ? view_->tableDays(column, range_.from(), range_.to()) : DaySpan{}, column,
                QString::fromUtf8(quantityLabel(column).unit));
  DailyTable->resizeColumnsToContents();
}

void TfrmExplorer::showMessage(const QString& text) {
  ContentMessage->setText(text);
  Bevel1->setCurrentIndex(0);
}

}  // namespace tavik
