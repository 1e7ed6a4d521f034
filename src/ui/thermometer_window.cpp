// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/thermometer_window.h"

#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "ui/thermometer_widget.h"

namespace tavik {

namespace {

// The title bar is at least this high, and higher when its font needs it.
constexpr int kTitleHeight = 17;
// Room around the title's text inside its frame, across and up and down.
constexpr int kTitleTextMargin = 6;
constexpr int kTitleTextMarginVertical = 2;
// The window's height to its width, as thermometerWidthOnResize keeps it.
constexpr double kHeightPerWidth = 2.4;

struct SourceItem {
  ThermometerSource source;
  const char* objectName;
};

constexpr SourceItem kSourceItems[] = {
    {ThermometerSource::TempIn, "Innentemperatur1"},
    {ThermometerSource::TempOut, "Aussentemperatur1"},
    {ThermometerSource::DewIn, "Innentaupunkt1"},
    {ThermometerSource::DewOut, "Aussentaupunkt1"},
    {ThermometerSource::Chill, "Windchill1"},
};

}  // namespace

Tanalog::Tanalog(const WeatherRecord& weather, QWidget* parent, const StationState* state)
    : ToolWindow(Placement::Free, parent),
      weather_(weather),
      state_(state),
      Panel1(new QLabel(this)),
      Image1(new ThermometerScale(this)),
      balken(new MercuryColumn(this)),
      Timer1(new QTimer(this)),
      PopupMenu1(new QMenu(this)) {
  setObjectName("analog");
  setWindowTitle(thermometerCaption(source_));
  Panel1->setObjectName("Panel1");
  Image1->setObjectName("Image1");
  balken->setObjectName("balken");
  Timer1->setObjectName("Timer1");
  PopupMenu1->setObjectName("PopupMenu1");

  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setAlignment(Qt::AlignCenter);
  Panel1->setAutoFillBackground(true);
  Panel1->installEventFilter(this);
  Image1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Image1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenu1->popup(Image1->mapToGlobal(at)); });

  for (const SourceItem& item : kSourceItems) {
    QAction* action = PopupMenu1->addAction(thermometerCaption(item.source));
    action->setObjectName(item.objectName);
    connect(action, &QAction::triggered, this, [this, s = item.source] { selectSource(s); });
  }

  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, &Tanalog::Timer1Timer);
  fitToTexts();
  resize(std::max(200, minimumWidth()), std::max(497, minimumHeight()));
}

void Tanalog::fitToTexts() {
  titleHeight_ = std::max(kTitleHeight, Panel1->fontMetrics().height() + 2 * Panel1->frameWidth() +
                                            kTitleTextMarginVertical);
  // Narrow enough to keep the thermometer slim, wide enough for the longest
  // caption in the title bar and in the window's own title; the height keeps
  // the proportions at that width.
  int width = 0;
  for (const SourceItem& item : kSourceItems) {
    const QString caption = thermometerCaption(item.source);
    width = std::max({width,
                      Panel1->fontMetrics().horizontalAdvance(caption) + 2 * Panel1->frameWidth() +
                          kTitleTextMargin,
                      widthForTitle(caption)});
  }
  setMinimumSize(width, titleHeight_ + static_cast<int>(std::ceil(width * kHeightPerWidth)));
}

void Tanalog::selectSource(ThermometerSource source) {
  source_ = source;
  setWindowTitle(thermometerCaption(source));
  Timer1Timer();
}

void Tanalog::Timer1Timer() {
  const BarColumn column = mercuryBarColumn(width());
  const MercuryBar bar =
      mercuryBar(Image1->height(), titleHeight_, thermometerValue(weather_, source_));
  balken->setGeometry(column.left, bar.top, column.width, bar.height);
  // No value yet: no column, rather than one at 0 °C.
  balken->setVisible(!state_ || thermometerValueKnown(*state_, source_));
  Panel1->setText(windowTitle());
}

void Tanalog::layOut() {
  Panel1->setGeometry(0, 0, width(), titleHeight_);
  Image1->setGeometry(0, titleHeight_, width(), height() - titleHeight_);
  Timer1Timer();
}

void Tanalog::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  if (event->spontaneous()) return;
  // Every showing starts again with the indoor temperature.
  Timer1->start();
  selectSource(ThermometerSource::TempIn);
}

void Tanalog::hideEvent(QHideEvent* event) {
  ToolWindow::hideEvent(event);
  if (!event->spontaneous()) Timer1->stop();
}

void Tanalog::resizeEvent(QResizeEvent* event) {
  ToolWindow::resizeEvent(event);
  // The thermometer keeps its slim proportions: the width follows the height.
  const int wanted = thermometerWidthOnResize(height(), titleHeight_);
  if (wanted > 0 && wanted != width()) resize(wanted, height());
  layOut();
}

bool Tanalog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::MouseButtonRelease) {
    PopupMenu1->popup(QCursor::pos());
    return true;
  }
  return ToolWindow::eventFilter(watched, event);
}

}  // namespace tavik
