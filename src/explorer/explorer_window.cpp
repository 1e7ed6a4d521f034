#include "explorer/explorer_window.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QSplitter>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <span>

#include "explorer/log_plot_widget.h"

namespace tavik {

namespace {

template <typename T>
T* named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

struct Node {
  const char* text;
  LogQuantity quantity;
};

constexpr Node kOutside[] = {{"Luftfeuchtigkeit", LogQuantity::HumOut},
                             {"Temperatur", LogQuantity::TempOut},
                             {"Taupunkt", LogQuantity::DewOut},
                             {"Barometer", LogQuantity::BaroSea},
                             {"Regen", LogQuantity::Rain},
                             {"Wind", LogQuantity::WindSpeed}};
constexpr Node kInside[] = {{"Luftfeuchtigkeit", LogQuantity::HumIn},
                            {"Temperatut", LogQuantity::TempIn},
                            {"Taupunkt", LogQuantity::DewIn}};

}  // namespace

TfrmExplorer::TfrmExplorer(const RegionalSettings& regional, QWidget* parent)
    : QWidget(parent, Qt::Tool), regional_(regional) {
  setObjectName("frmExplorer");
  setWindowTitle(QStringLiteral("Weather Explorer"));
  resize(765, 392);

  auto* CoolBar1 = named(new QWidget, "CoolBar1");
  CoolBar1->setFixedHeight(41);
  auto* ToolBar1 = named(new QToolBar(CoolBar1), "ToolBar1");
  ToolBar1->setFixedHeight(25);
  // Without a caption the button could not be found.
  ToolButton1 = named(new QToolButton, "ToolButton1");
  ToolButton1->setText(QString::fromUtf8("Öffnen..."));
  ToolButton1->setToolTip(QString::fromUtf8("Wetterlog-Datei öffnen"));
  ToolBar1->addWidget(ToolButton1);
  FileLabel = named(new QLabel, "FileLabel");
  auto* band = new QHBoxLayout(CoolBar1);
  band->setContentsMargins(4, 8, 4, 8);
  band->addWidget(ToolBar1);
  band->addWidget(FileLabel, 1);

  TreeView1 = named(new QTreeWidget, "TreeView1");
  TreeView1->setHeaderHidden(true);
  TreeView1->setIndentation(19);
  auto* root = new QTreeWidgetItem(TreeView1, {QStringLiteral("WM918/Tavik")});
  for (const auto& [group, nodes] : {std::pair{"Aussen", std::span<const Node>(kOutside)},
                                     {"Innen", std::span<const Node>(kInside)}}) {
    auto* groupItem = new QTreeWidgetItem(root, {QString::fromUtf8(group)});
    for (const Node& node : nodes) {
      quantities_[new QTreeWidgetItem(groupItem, {QString::fromUtf8(node.text)})] = node.quantity;
    }
  }
  TreeView1->expandAll();

  Bevel1 = named(new QStackedWidget, "Bevel1");
  Bevel1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  ContentMessage = named(new QLabel, "ContentMessage");
  ContentMessage->setAlignment(Qt::AlignCenter);
  ContentMessage->setWordWrap(true);
  auto* plotPage = new QWidget;
  LogPlot = new LogPlotWidget(regional_);
  UnreadLines = named(new QLabel, "UnreadLines");
  auto* plotLayout = new QVBoxLayout(plotPage);
  plotLayout->addWidget(LogPlot, 1);
  plotLayout->addWidget(UnreadLines);
  Bevel1->addWidget(ContentMessage);
  Bevel1->addWidget(plotPage);

  auto* Splitter1 = named(new QSplitter, "Splitter1");
  Splitter1->setHandleWidth(8);
  Splitter1->addWidget(TreeView1);
  Splitter1->addWidget(Bevel1);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({121, 636});

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(CoolBar1);
  layout->addWidget(Splitter1, 1);

  OpenDialog1 = named(new QFileDialog(this), "OpenDialog1");
  OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  OpenDialog1->setDefaultSuffix(QStringLiteral("txt"));
  OpenDialog1->setNameFilters(
      {QStringLiteral("Wetterlog (*.txt)"), QStringLiteral("Alle Dateien (*)")});

  connect(ToolButton1, &QToolButton::clicked, this, &TfrmExplorer::ToolButton1Click);
  connect(TreeView1, &QTreeWidget::currentItemChanged, this, &TfrmExplorer::TreeView1Click);
  TreeView1Click();
}

void TfrmExplorer::ToolButton1Click() {
  if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty()) return;
  openLogFile(OpenDialog1->selectedFiles().front());
}

void TfrmExplorer::openLogFile(const QString& path) {
  Outcome<WeatherLog> read = readWeatherLog(path.toStdString(), regional_);
  FileLabel->setText(QFileInfo(path).fileName());
  log_ = std::move(read.value);
  error_ = QString::fromStdString(read.error);
  TreeView1Click();
}

void TfrmExplorer::TreeView1Click() {
  if (!error_.isEmpty()) return showMessage(error_);
  if (!log_)
    return showMessage(QString::fromUtf8("Bitte mit „Öffnen...“ eine Wetterlog-Datei wählen."));
  const auto node = quantities_.find(TreeView1->currentItem());
  if (node == quantities_.end())
    return showMessage(QString::fromUtf8("Bitte eine Messgröße im Baum wählen."));
  if (log_->rows.empty())
    return showMessage(QString::fromUtf8("Die Datei enthält keine Messwerte."));
  LogPlot->setSeries(node->second, logSeries(*log_, node->second));
  const size_t unread = log_->unreadLines.size();
  UnreadLines->setText(
      unread == 0
          ? QString()
          : QString::fromUtf8("%1 Zeile(n) der Datei konnten nicht gelesen werden (ab Zeile %2).")
                .arg(unread)
                .arg(log_->unreadLines.front()));
  UnreadLines->setVisible(unread != 0);
  Bevel1->setCurrentIndex(1);
}

void TfrmExplorer::showMessage(const QString& text) {
  ContentMessage->setText(text);
  Bevel1->setCurrentIndex(0);
}

}  // namespace tavik
