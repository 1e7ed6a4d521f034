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
#include <QProgressBar>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QThread>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <span>

#include "explorer/daily_table.h"
#include "explorer/daily_table_model.h"
#include "explorer/log_plot_widget.h"
#include "explorer/log_quantity.h"
#include "products/weather_log_tree.h"
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
constexpr int kTableRows = 7;  // the daily table shows at least a week

QString qs(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TfrmExplorer::TfrmExplorer(const Settings& settings, const Clock& clock,
                           const RegionalSettings& regional, QWidget* parent)
    : QWidget(parent, Qt::Tool), settings_(settings), clock_(clock), regional_(regional) {
  setObjectName("frmExplorer");
  setWindowTitle(QStringLiteral("Weather Explorer"));
  resize(765, 392);

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
  layout->addWidget(buildToolBar());
  layout->addWidget(Splitter1, 1);

  OpenDialog1 = named(new QFileDialog(this), "OpenDialog1");
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setDefaultSuffix(QStringLiteral("txt"));
  OpenDialog1->setNameFilters(
      {QStringLiteral("Wetterlog (*.txt)"), QStringLiteral("Alle Dateien (*)")});
  OpenFolderDialog = named(new QFileDialog(this), "OpenFolderDialog");
  OpenFolderDialog->setOption(QFileDialog::DontUseNativeDialog);
  OpenFolderDialog->setFileMode(QFileDialog::Directory);
  OpenFolderDialog->setOption(QFileDialog::ShowDirsOnly);
  // The tree is narrow and the table a week high at the designed width; the
  // height grows where the fonts need it.
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
  ToolButton1->setToolTip(QString::fromUtf8("Wetterlog-Datei oder -Ordner öffnen"));
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
  ReadProgress->setMaximumWidth(220);
  ReadProgress->hide();
  auto* band = new QHBoxLayout(CoolBar1);
  band->setContentsMargins(4, 8, 8, 8);
  band->addWidget(ToolBar1);
  band->addWidget(FileLabel, 1);
  band->addWidget(ReadProgress);
  band->addWidget(RangeLabel);
  connect(ToolButton1, &QToolButton::clicked, this, &TfrmExplorer::ToolButton1Click);
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
  DailyTable->setModel(new DailyTableModel(DailyTable));
  DailyTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  DailyTable->verticalHeader()->setVisible(false);
  // Columns as wide as the first rows need: every day's texts are alike,
  // and measuring a year of rows would make each step slow.
  DailyTable->horizontalHeader()->setResizeContentsPrecision(2 * kTableRows);
  // Rows as high as the text needs, so that a week fits a small screen.
  DailyTable->verticalHeader()->setDefaultSectionSize(DailyTable->fontMetrics().height() + 6);
  DailyTable->setMinimumHeight(DailyTable->horizontalHeader()->sizeHint().height() +
                               kTableRows * DailyTable->verticalHeader()->defaultSectionSize() +
                               2 * DailyTable->frameWidth() +
                               DailyTable->horizontalScrollBar()->sizeHint().height());
  LogPlot->setMinimumHeight(120);
  auto* chartAndTable = named(new QSplitter(Qt::Vertical), "ChartSplitter");
  chartAndTable->setChildrenCollapsible(false);
  chartAndTable->addWidget(LogPlot);
  chartAndTable->addWidget(DailyTable);
  chartAndTable->setStretchFactor(0, 3);
  chartAndTable->setStretchFactor(1, 1);
  UnreadLines = named(new QLabel, "UnreadLines");
  UnreadLines->setWordWrap(true);

  auto* historyPage = new QWidget;
  auto* column = new QVBoxLayout(historyPage);
  column->setContentsMargins(4, 4, 4, 4);
  column->addWidget(buildRangeBar());
  column->addWidget(chartAndTable, 1);
  column->addWidget(UnreadLines);
  Bevel1->addWidget(ContentMessage);
  Bevel1->addWidget(historyPage);
  return Bevel1;
}

void TfrmExplorer::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (pickedByUser_) return;
  if (settings_.LogOrdner.empty()) {
    return showMessage(QString::fromUtf8(
        "Es ist kein Ordner für den Wetterlog eingestellt (Einstellungen, „Wetterlog...“)."));
  }
  openLogPath(qs(settings_.LogOrdner));
}

void TfrmExplorer::ToolButton1Click() {
  // The choosers start in the Wetterlog folder of the settings.
  if (!settings_.LogOrdner.empty()) OpenDialog1->setDirectory(qs(settings_.LogOrdner));
  if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty()) return;
  pickedByUser_ = true;
  openLogPath(OpenDialog1->selectedFiles().front());
}

void TfrmExplorer::openFolderClick() {
  if (!settings_.LogOrdner.empty()) OpenFolderDialog->setDirectory(qs(settings_.LogOrdner));
  if (OpenFolderDialog->exec() != QDialog::Accepted || OpenFolderDialog->selectedFiles().isEmpty())
    return;
  pickedByUser_ = true;
  openLogPath(OpenFolderDialog->selectedFiles().front());
}

TfrmExplorer::~TfrmExplorer() { stopReading(); }

bool TfrmExplorer::reading() const { return reader_ != nullptr; }

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
}

void TfrmExplorer::openLogPath(const QString& path) {
  stopReading();
  rangeChosen_ = false;
  FileLabel->setText(QFileInfo(path).fileName());
  FileLabel->setToolTip(path);
  if (rows().empty()) showMessage(QString::fromUtf8("Der Wetterlog wird gelesen …"));
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  const int generation = generation_;
  // The reading hands its results to this window's thread; a result of an
  // earlier reading (another generation) is dropped.
  auto post = [this, generation](auto work) {
    QMetaObject::invokeMethod(
        this,
        [this, generation, work] {
          if (generation == generation_) work();
        },
        Qt::QueuedConnection);
  };
  reader_ = QThread::create([this, post, path, cancel = cancel_, rs = regional_] {
    HistoryReading reading;
    reading.cancel = cancel.get();
    reading.early = [&](std::shared_ptr<const LogHistory> h) {
      post([this, h, path] { showHistory(h, path); });
    };
    reading.progress = [&](size_t done, size_t total) {
      post([this, done, total] { showProgress(done, total); });
    };
    HistoryResult result = readHistory(path.toStdString(), rs, reading);
    if (!cancel->load()) post([this, result, path] { finishReading(result, path); });
  });
  reader_->start();
}

void TfrmExplorer::showProgress(size_t done, size_t total) {
  ReadProgress->setRange(0, static_cast<int>(total));
  ReadProgress->setValue(static_cast<int>(done));
  ReadProgress->setVisible(total > 1);
}

void TfrmExplorer::finishReading(const HistoryResult& result, const QString& path) {
  reader_->wait();
  delete reader_;
  reader_ = nullptr;
  ReadProgress->hide();
  if (result.error) {
    history_ = std::make_shared<LogHistory>();
    return showMessage(qs(*result.error));
  }
  showHistory(result.history, path);
}

void TfrmExplorer::showHistory(std::shared_ptr<const LogHistory> history, const QString& path) {
  history_ = std::move(history);
  if (rows().empty()) {
    return showMessage(QString::fromUtf8("Der Wetterlog „%1“ enthält noch keine Messwerte.")
                           .arg(QFileInfo(path).fileName()));
  }
  // The last 24 hours; when the log ended earlier, its last 24 hours. Once
  // a reading has shown them, the stretch stays while the rest comes in.
  const long long now = secondsOf(clock_.now());
  const long long end = rows().back().seconds < now - kDay ? rows().back().seconds + 1 : now;
  if (!rangeChosen_)
    range_.show(RangeKind::Day, end, rows().front().seconds, rows().back().seconds);
  rangeChosen_ = true;
  const std::vector<UnreadRow>& unreadRows = history_->log.unread;
  const size_t unread = unreadRows.size();
  UnreadLines->setText(
      unread == 0
          ? QString()
          : QString::fromUtf8("%1 Zeile(n) konnten nicht gelesen werden, zuerst %2 Zeile %3: %4.")
                .arg(unread)
                .arg(QFileInfo(qs(unreadRows.front().file)).fileName())
                .arg(unreadRows.front().line)
                .arg(qs(unreadRows.front().why)));
  UnreadLines->setVisible(unread != 0);
  Bevel1->setCurrentIndex(1);
  refresh();
}

void TfrmExplorer::TreeView1Click() {
  if (Bevel1->currentIndex() == 1) refresh();
}

void TfrmExplorer::showRange(RangeKind kind) {
  if (rows().empty()) return;
  // The new stretch ends where the shown one ends.
  range_.show(kind, range_.to(), rows().front().seconds, rows().back().seconds);
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

void TfrmExplorer::refresh() {
  const std::vector<LogColumn> columns = chosenColumns();
  LogPlot->setView(&rows(), columns, range_.from(), range_.to(), &history_->hours);
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
  // The table follows the current node when it is a quantity, otherwise
  // the first quantity chosen.
  auto current = std::find_if(quantities_.begin(), quantities_.end(),
                              [&](const auto& q) { return q.first == TreeView1->currentItem(); });
  if (current != quantities_.end() && current->first->isSelected()) {
    fillTable(current->second);
  } else {
    fillTable(columns.empty() ? LogColumn::TempO : columns.front());
  }
}

void TfrmExplorer::fillTable(LogColumn column) {
  static_cast<DailyTableModel*>(DailyTable->model())
      ->setRows(
          dailyTable(daysBetween(history_->days, range_.from(), range_.to()), column, regional_),
          QString::fromUtf8(quantityLabel(column).unit));
  DailyTable->resizeColumnsToContents();
}

void TfrmExplorer::showMessage(const QString& text) {
  ContentMessage->setText(text);
  Bevel1->setCurrentIndex(0);
}

}  // namespace tavik
