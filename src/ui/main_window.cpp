// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <memory>

#include "core/clockwork.h"
#include "core/clockwork_timers.h"
#include "core/product_writers.h"
#include "ui/checksum_window.h"
#include "ui/colour_value.h"
#include "ui/column_area.h"
#include "ui/current_value_label.h"
#include "ui/display_update.h"
#include "ui/group_font_dialog.h"
#include "ui/help_page.h"
#include "ui/longest_record.h"
#include "ui/pictures.h"
#include "ui/print_file.h"
#include "ui/trend_chart_widget.h"
#include "ui/wind5x_window.h"
#include "ui/wind_rose_window.h"
#include "widgets/circle_shape_widget.h"
#include "widgets/named.h"

namespace tavik {
namespace {

// The smallest default size; the window starts larger when its texts need it.
constexpr int kClientWidth = 651;
constexpr int kClientHeight = 449;
constexpr int kLampLitMs = 120;
constexpr int kBandPointSize = 8;
constexpr int kPanelTextMargin = 2;  // px either side of a status text
// How often, and how many times at most, the window looks whether the window
// manager has framed it yet.
constexpr int kFramePollMs = 50;
constexpr int kFramePollLooks = 100;
// How far faded values lean towards their group's background.
constexpr float kStaleFade = 0.55F;

QColor blend(const QColor& a, const QColor& b, float towardsB) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * towardsB,
                          a.greenF() + (b.greenF() - a.greenF()) * towardsB,
                          a.blueF() + (b.blueF() - a.blueF()) * towardsB);
}

QFrame* separator(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::VLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

TForm1::TForm1(MainWindowParts parts, QWidget* parent)
    : QMainWindow(parent), parts_(parts), history_(parts.clock) {
  setObjectName(QStringLiteral("TForm1"));
  setWindowTitle(QStringLiteral("Tavik Output - Inactive"));
  for (int i = 0; i < kTrendPictureCount; ++i) {
    pictures_.trend[static_cast<size_t>(i)] = trendPicture(i);
  }
  for (int i = 0; i < kForecastPictureCount; ++i) {
    pictures_.forecast[static_cast<size_t>(i)] = forecastPicture(i);
  }

  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  buildBandBar(central);
  columns_ = new ColumnArea(central);
  column->addWidget(columns_, 1);
  setCentralWidget(central);
  buildDisplayGroups(columns_->groupOwners(), display_);
  columns_->setGroups(display_.groups);
  // The room of the longest texts is taken from the start, so the window does
  // not grow when the first data come.
  std::vector<DisplayUpdate> longest;
  for (const bool outOfRange : {false, true}) {
    const StationData d = longestRecord(outOfRange);
    longest.push_back(
        computeDisplayUpdate(d.weather, d.state, parts_.clock, parts_.regional, PictureLabels{}));
  }
  reserveLongestTexts(display_, longest, pictures_);
  // The values grow once per change of the groups' sizes, after all of them.
  growValues_ = new QTimer(this);
  growValues_->setSingleShot(true);
  growValues_->setInterval(0);
  connect(growValues_, &QTimer::timeout, this, [this] { growCurrentValues(display_); });
  for (QGroupBox* box : display_.groups) {
    box->installEventFilter(this);
    connect(box, &QWidget::customContextMenuRequested, this,
            [this, box](const QPoint& pos) { showPopup(box, box->mapToGlobal(pos)); });
  }
  columns_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(columns_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { showPopup(nullptr, columns_->mapToGlobal(pos)); });
  buildStatusBar();
  buildMenus();
  buildTimers();

  parts_.clockwork.onTextsChanged = [this] { showStatusTexts(); };
  applyGroupAppearance();
  // What the display shows before any group has come: dashes, no time.
  RefreshMainWindow();
  showStatusTexts();
  resize(
      sizeHint().expandedTo(QSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height())));
}

TForm1::~TForm1() { parts_.clockwork.onTextsChanged = nullptr; }

void TForm1::buildBandBar(QWidget* parent) {
  auto* bar = new QFrame(parent);
  band_ = bar;
  bar->setObjectName(QStringLiteral("CoolBar1"));
  bar->setFrameShape(QFrame::StyledPanel);
  bar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  QFont small = bar->font();
  small.setPointSize(kBandPointSize);
  bar->setFont(small);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(2, 1, 2, 1);
  row->setSpacing(5);

  ToolButton1 = new QToolButton(bar);
  ToolButton1->setObjectName(QStringLiteral("ToolButton1"));
  ToolButton1->setText(QStringLiteral("Aktiv"));
  ToolButton1->setCheckable(true);
  ToolButton1->setAutoRaise(true);
  ToolButton1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  QIcon icon(activeButtonPicture(false));
  icon.addPixmap(activeButtonPicture(true), QIcon::Active);
  ToolButton1->setIcon(icon);
  connect(ToolButton1, &QToolButton::clicked, this, [this] {
    // The button does what the menu item does; its pressed state follows the
    // activation, not the click.
    ToolButton1->setChecked(parts_.clockwork.toolButtonDown());
    C1->trigger();
  });
  row->addWidget(ToolButton1);
  row->addWidget(separator(bar));
  ComLed2 = named(new QLabel(bar), "ComLed2");
  lampPictures_ = {receiveLampPicture(false), receiveLampPicture(true)};
  ComLed2->setPixmap(lampPictures_[0]);
  ComLed2->setToolTip(QStringLiteral("Empfang"));
  row->addWidget(ComLed2);
  lampOff_ = new QTimer(this);
  lampOff_->setSingleShot(true);
  connect(lampOff_, &QTimer::timeout, this, [this] {
    lampLit_ = false;
    ComLed2->setPixmap(lampPictures_[0]);
  });
  row->addWidget(separator(bar));

  addBandLabels(bar, row);
  row->addStretch(1);
  static_cast<QVBoxLayout*>(parent->layout())->addWidget(bar);
}

// The band's last query, battery, power and display texts.
void TForm1::addBandLabels(QWidget* bar, QHBoxLayout* row) {
  BandLabels& band = display_.band;
  row->addWidget(new QLabel(QStringLiteral("Letzte Abfrage"), bar));
  row->addWidget(band.time = named(new QLabel(bar), "Label1"));
  row->addWidget(band.date = named(new QLabel(bar), "Label2"));
  row->addWidget(band.alarmClock = named(new QLabel(bar), "Label6"));
  row->addWidget(band.stale = named(new QLabel(bar), "LabelKeineDaten"));
  band.stale->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
  portFailure_ = named(new QLabel(bar), "LabelComport");
  portFailure_->setStyleSheet(band.stale->styleSheet());
  // A long reason is cut rather than widening the window; its tip has it all.
  portFailure_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  portFailure_->hide();
  row->addWidget(portFailure_, 1);
  portButton_ = named(new QToolButton(bar), "ButtonComport");
  portButton_->setText(QStringLiteral("COM-Port..."));
  portButton_->hide();
  connect(portButton_, &QToolButton::clicked, this, [this] { COMPort1->trigger(); });
  row->addWidget(portButton_);
  row->addWidget(separator(bar));

  row->addWidget(new QLabel(QStringLiteral("Batterie:"), bar));
  band.battery = new CircleShape(QColor(0, 255, 0), bar);
  band.battery->setObjectName(QStringLiteral("Shape1"));
  band.battery->setToolTip(QStringLiteral("Batterie"));
  band.battery->setFixedSize(13, 13);
  row->addWidget(band.battery);
  row->addWidget(band.power = named(new QLabel(bar), "Label80"));
  row->addWidget(separator(bar));

  row->addWidget(new QLabel(QStringLiteral("Display:"), bar));
  row->addWidget(band.displaySection = named(new QLabel(bar), "Label83"));
}

void TForm1::buildStatusBar() {
  auto* bar = new QStatusBar(this);
  bar->setObjectName(QStringLiteral("StatusBar1"));
  bar->setSizeGripEnabled(false);
  QFont small = bar->font();
  small.setPointSize(kBandPointSize);
  bar->setFont(small);
  // The countdown panels leave room for the web page's panel at the default
  // size (the layout test checks that no text is cut).
  const int widths[6] = {94, 94, 94, 94, 94, 50};
  for (size_t i = 0; i < panels_.size(); ++i) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    panel->setMinimumWidth(widths[i]);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    // The last panel takes whatever width is left.
    bar->addWidget(panel, i + 1 == panels_.size() ? 1 : 0);
    panels_[i] = panel;
  }
  panels_[0]->setText(QStringLiteral("ASYNOP: ") + QString::fromUtf8(kNoValue));
  webPanel_ = new QLabel(bar);
  webPanel_->setObjectName(QStringLiteral("StatusPanelWeb"));
  // As wide as its usual text, so that the run time keeps its room.
  webPanel_->setMinimumWidth(
      webPanel_->fontMetrics().horizontalAdvance(QStringLiteral("Web: 0:00")) +
      2 * kPanelTextMargin);
  webPanel_->setFrameShape(QFrame::StyledPanel);
  webPanel_->setFrameShadow(QFrame::Sunken);
  bar->insertWidget(static_cast<int>(panels_.size()) - 1, webPanel_);
  uploadPanel_ = new QLabel(bar);
  uploadPanel_->setObjectName(QStringLiteral("StatusPanelUpload"));
  uploadPanel_->setFrameShape(QFrame::StyledPanel);
  uploadPanel_->setFrameShadow(QFrame::Sunken);
  uploadPanel_->hide();
  bar->insertWidget(static_cast<int>(panels_.size()), uploadPanel_);
  setStatusBar(bar);
}

void TForm1::buildTimers() {
  timers_ = new ClockworkTimers(parts_.clockwork, parts_.timerSpeedUp, this);
  portRetry_ = new QTimer(this);
  portRetry_->setObjectName(QStringLiteral("PortRetry"));
  portRetry_->setInterval(timers_->interval(Clockwork::kPortRetryMs));
  Clockwork& cw = parts_.clockwork;
  connect(portRetry_, &QTimer::timeout, this, [&cw] { cw.retryActivation(); });
}

void TForm1::syncTimers() { timers_->sync(); }

void TForm1::showStatusTexts() {
  Clockwork& cw = parts_.clockwork;
  setWindowTitle(QString::fromStdString(cw.caption()));
  display_.band.stale->setText(
      QString::fromStdString(staleDataText(cw.silentSince(), parts_.regional)));
  showStale(cw.recordStale());
  if (const std::string& asynop = parts_.products.asynopStatus(); !asynop.empty()) {
    panels_[0]->setText(QString::fromStdString(asynop));
  }
  if (const std::string& archive = parts_.products.archiveStatus(); !archive.empty()) {
    panels_[0]->setText(QString::fromStdString(archive));
  }
  for (int i = 1; i < static_cast<int>(panels_.size()); ++i) {
    panels_[static_cast<size_t>(i)]->setText(
        QString::fromStdString(shownPanelText(i, cw.isActive(), cw.panelText(i))));
  }
  webPanel_->setText(QString::fromStdString(cw.webPanelText()));
  const std::string uploads = uploadStatus ? uploadStatus() : std::string();
  uploadPanel_->setText(QString::fromStdString(uploads));
  uploadPanel_->setVisible(!uploads.empty());
  showPortFailure(cw.portFailure());
  C1->setChecked(cw.isActive());
  ToolButton1->setChecked(cw.toolButtonDown());
}

void TForm1::showPortFailure(const std::string& failure) {
  const bool failed = !failure.empty();
  portFailure_->setVisible(failed);
  portButton_->setVisible(failed);
  portButton_->setEnabled(COMPort1->isEnabled());
  if (!failed) {
    portRetry_->stop();
    return;
  }
  // The band shows the reason; the first line only names the port.
  const QString text = QString::fromStdString(failure);
  const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
  portFailure_->setText(lineEnd < 0 ? text : text.mid(lineEnd + 1));
  portFailure_->setToolTip(text + QStringLiteral("\nEin neuer Versuch folgt alle %1 Sekunden.")
                                      .arg(Clockwork::kPortRetryMs / 1000));
  if (!portRetry_->isActive()) portRetry_->start();
}

void TForm1::C1Click() { C1->trigger(); }

void TForm1::PacketDecoded() {
  if (windows_.checksums) windows_.checksums->refresh();
  history_.record(parts_.station.weather, parts_.station.state);
  RefreshMainWindow();
  updateCharts();
}

int TForm1::chartSpanHours() const {
  const int hours = parts_.settings.ChartHours;
  const bool offered =
      std::find(kChartSpanHours.begin(), kChartSpanHours.end(), hours) != kChartSpanHours.end();
  return offered ? hours : kChartSpanHours[0];
}

void TForm1::updateCharts() {
  const long long span = chartSpanHours() * 60LL;
  const long long now = minuteOf(parts_.clock.now());
  history_.setArchive(parts_.settings.ArchivDatei);
  for (size_t i = 0; i < display_.charts.size(); ++i) {
    display_.charts[i]->setSeries(history_.points(static_cast<HistoryQuantity>(i), span), now,
                                  span);
  }
  for (QAction* a : chartSpanItems_) {
    a->setChecked(a->objectName() == QStringLiteral("Verlauf%1h").arg(chartSpanHours()));
  }
}

void TForm1::showStale(bool stale) {
  if (stale == stale_) return;
  stale_ = stale;
  applyGroupAppearance();
}

void TForm1::RefreshMainWindow() {
  lastUpdate_ = computeDisplayUpdate(parts_.station.weather, parts_.station.state, parts_.clock,
                                     parts_.regional, shownPictures_);
  const DisplayUpdate& u = lastUpdate_;
  if (u.baro.trend) shownPictures_.trend = u.baro.trend->labelText;
  if (u.baro.forecast) shownPictures_.forecast = u.baro.forecast->labelText;
  showDisplayUpdate(display_, u, pictures_);
  if (windows_.wind5x) {
    for (size_t k = 0; k < u.windRows.size(); ++k) {
      windows_.wind5x->setRowText(static_cast<int>(k) + 1, QString::fromStdString(u.windRows[k]));
    }
  }
  if (windows_.windRose && windows_.windRose->isVisible()) {
    windows_.windRose->UpdateRose(parts_.station.weather.Wind.Speed);
  }
  // Longer texts may need a larger window.
  columns_->updateGeometry();
}

void TForm1::flashReceiveLamp() {
  if (!lampLit_) {
    lampLit_ = true;
    ComLed2->setPixmap(lampPictures_[1]);
  }
  lampOff_->start(kLampLitMs);
}

void TForm1::applyGroupAppearance() {
  for (int n = 2; n <= 11; ++n) applyGroupAppearance(n);
}

void TForm1::noteNormalPlace() {
  if (isVisible() && windowState() == Qt::WindowNoState) normalPlace_ = QRect(pos(), size());
}

void TForm1::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  noteNormalPlace();
}

// Once the window's new size has reached every group, the values grow again
// from the settled layout: under a window manager the groups may be resized
// before their lines are.
void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  noteNormalPlace();
  growValues_->start();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize) {
    if (groupNumber(qobject_cast<QGroupBox*>(watched)) != 0) growValues_->start();
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::applyGroupAppearance(int n) {
  const auto i = static_cast<size_t>(n - 2);
  const QPalette system = QApplication::palette();
  QGroupBox* box = group(n);
  QPalette p = box->palette();
  const QColor background = colourFromValue(parts_.settings.groupColor[i], system);
  const QColor text = groupFontColour(parts_.settings.groupFontColor[i], system);
  p.setColor(QPalette::Window, background);
  p.setColor(QPalette::WindowText, stale_ ? blend(text, background, kStaleFade) : text);
  box->setPalette(p);
  // The group's bar fades with its values.
  if (auto* bar = box->findChild<QProgressBar*>()) {
    QPalette barPalette = QApplication::palette(bar);
    const QColor fill = barPalette.color(QPalette::Highlight);
    barPalette.setColor(QPalette::Highlight, stale_ ? blend(fill, background, kStaleFade) : fill);
    bar->setPalette(barPalette);
  }
  QFont f = box->font();
  const int size = parts_.settings.groupFontSize[i];
  if (size > 0) f.setPointSize(size);
  box->setFont(f);
  applyReservedWidths(display_);
  emphasiseCurrentValue(display_.currentValues[i], box);
  fitGroupsToScreen();
  growValues_->start();
}

void TForm1::fitGroupsToScreen() {
  const QScreen* shownOn = screen();
  if (!shownOn) return;
  // The frame is known once the window manager has framed the window.
  const QSize frame = frameGeometry().size() - geometry().size();
  const int around = menuBar()->sizeHint().height() + band_->sizeHint().height() +
                     statusBar()->sizeHint().height();
  const QSize room = shownOn->availableGeometry().size() - frame - QSize(0, around);
  const int narrowest =
      std::max(band_->minimumSizeHint().width(), statusBar()->minimumSizeHint().width());
  columns_->setRoom(room, narrowest);
  columns_->updateGeometry();
}

int TForm1::groupNumber(const QGroupBox* box) const {
  const auto& groups = display_.groups;
  const auto it = std::find(groups.begin(), groups.end(), box);
  return it == groups.end() ? 0 : static_cast<int>(it - groups.begin()) + 2;
}

void TForm1::showPopup(QGroupBox* on, const QPoint& globalPos) {
  popupTarget_ = on;
  PopupMenu1->popup(globalPos);
}

void TForm1::Zeichen1Click() {
  QGroupBox* target = popupTarget_;
  GroupFontDialog dialog(this);
  const QWidget* shown = target ? static_cast<const QWidget*>(target) : this;
  dialog.setChoice(shown->font(), shown->palette().color(QPalette::WindowText));
  if (dialog.exec() != QDialog::Accepted || !target) return;
  const int n = groupNumber(target);
  const auto i = static_cast<size_t>(n - 2);
  const QFont chosen = dialog.chosenFont();
  // Face and style last until the program ends; size and colour go to the
  // settings. A colour that was not chosen stays as it was, so the desktop's
  // text colour is not turned into a fixed one.
  parts_.settings.groupFontSize[i] = chosen.pointSize() > 0 ? chosen.pointSize() : 8;
  if (dialog.colourChanged()) {
    parts_.settings.groupFontColor[i] = valueFromColour(dialog.chosenColour());
  }
  target->setFont(chosen);
  applyGroupAppearance(n);
}

void TForm1::Farben2Click() {
  QGroupBox* target = popupTarget_;
  const QColor chosen = QColorDialog::getColor(lastChosenColour_, this);
  if (!chosen.isValid()) return;
  lastChosenColour_ = chosen;
  if (!target) return;
  const int n = groupNumber(target);
  parts_.settings.groupColor[static_cast<size_t>(n - 2)] = valueFromColour(chosen);
  applyGroupAppearance(n);
}

// Prints a fresh Read page; from an empty or stale record nothing is written,
// so rather than print nothing, or the last page, it says why.
void TForm1::printReadReport() {
  Notifier& notifier = parts_.products.context().notifier;
  if (!parts_.products.recordUsable()) {
    const std::string why =
        parts_.station.state.allSeen()
            ? "Seit über einer Minute kamen keine Daten von der Station; die Read-Seite wäre "
              "veraltet."
            : "Noch nicht jede Art von Datengruppe ist angekommen; die Read-Seite wäre "
              "unvollständig.";
    notifier.notify(why + " Es wird nichts gedruckt.", "Drucken", MessageButtons::Ok);
    return;
  }
  parts_.products.writeProfileReport(1);
  const std::string path = parts_.products.readReportPath();
  if (!path.empty()) printFileOrSayWhy(path, parts_.products.context().notifier);
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shownOnce_) return;
  shownOnce_ = true;
  if (onFirstShow) onFirstShow();
  if (QWindow* handle = windowHandle()) {
    connect(handle, &QWindow::screenChanged, this, [this] { fitGroupsToScreen(); });
  }
  applyGroupAppearance();
  // The loaded fonts may change the window's smallest size, from the groups
  // up through two layouts: that size must be known before it is placed.
  for (int pass = 0; pass < 3; ++pass) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  }
  placeAsStored();
  updateCharts();
  syncTimers();
}

void TForm1::placeAsStored() {
  const Settings& s = parts_.settings;
  const QRect stored(s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight);
  const QScreen* shownOn = QGuiApplication::screenAt(stored.topLeft() + QPoint(20, 20));
  if (stored.width() > 0 && stored.height() > 0 && shownOn) {
    normalPlace_ = QRect(stored.topLeft(), stored.size().expandedTo(minimumSize()));
    resize(normalPlace_.size());
    move(stored.topLeft());
    // Before the window manager has framed the window, the place may be
    // taken as that of the inside: it is set again once the frame is known.
    placeOnceFramed(stored.topLeft());
    if (s.WindowMaximized) setWindowState(windowState() | Qt::WindowMaximized);
    return;
  }
  if (s.WindowMaximized) setWindowState(windowState() | Qt::WindowMaximized);
  if (const QScreen* screen = this->screen()) {
    // Centred; a window larger than the screen keeps its top left corner
    // (the title bar and the menus) on it.
    const QRect available = screen->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(available.center());
    const QPoint place(std::max(frame.left(), available.left()),
                       std::max(frame.top(), available.top()));
    move(place);
    // Under X11 the place is taken as that of the inside until the window
    // manager has framed the window, which would push the title bar off a
    // screen the window fills.
    if (QGuiApplication::platformName() == QStringLiteral("xcb")) placeOnceFramed(place);
  }
}

// The place of the frame and the size of the window without it, as move and
// resize take them; a maximised window keeps its normal place.
void TForm1::storePlace() {
  const bool maximised = isMaximized() || isFullScreen();
  const QRect normal = maximised ? normalPlace_ : QRect(pos(), size());
  Settings& s = parts_.settings;
  s.WindowMaximized = isMaximized();
  s.WindowLeft = normal.x();
  s.WindowTop = normal.y();
  s.WindowWidth = normal.width();
  s.WindowHeight = normal.height();
}

void TForm1::placeOnceFramed(const QPoint& framePlace) {
  auto* poll = new QTimer(this);
  poll->setInterval(kFramePollMs);
  auto looks = std::make_shared<int>(0);
  connect(poll, &QTimer::timeout, this, [this, poll, looks, framePlace] {
    const QWindow* handle = windowHandle();
    const bool framed =
        handle && handle->isExposed() &&
        (QGuiApplication::platformName() != QStringLiteral("xcb") || frameGeometry() != geometry());
    if (!framed && ++*looks < kFramePollLooks) return;
    fitGroupsToScreen();
    // A maximised window keeps its normal place for later.
    if (framed && !isMaximized() && pos() != framePlace) move(framePlace);
    poll->stop();
    poll->deleteLater();
  });
  poll->start();
}

void TForm1::closeEvent(QCloseEvent* event) {
  closeHelpWindow();
  storePlace();
  if (onClose) onClose();
  QMainWindow::closeEvent(event);
}

}  // namespace tavik
