// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/wind_rose_window.h"

#include <QResizeEvent>

#include "ui/compass_rose_widget.h"
#include "ui/wind_rose_geometry.h"
#include "widgets/circle_shape_widget.h"

namespace tavik {

TWindrose::TWindrose(const WeatherRecord& weather, QWidget* parent, const StationState* state)
    : ToolWindow(Placement::CentredOnParentFirstTime, parent),
      weather_(weather),
      state_(state),
      Image1(new CompassRose(this)),
      Shape1(new CircleShape(Qt::red, this)) {
  setObjectName("Windrose");
  setWindowTitle("Windrose");
  Image1->setObjectName("Image1");
  Shape1->setObjectName("Shape1");
  // The rose may shrink until its title would no longer fit.
  const int smallest = widthForTitle(windowTitle());
  setMinimumSize(smallest, smallest);
  resize(260, 260);
  Image1->setGeometry(rect());
  const MarkerRect size = windRoseMarkerSize(frameGeometry().width(), frameGeometry().height());
  placeMarker(size.width, size.height);
}

void TWindrose::UpdateRose(uint16_t speedTenths) {
  const MarkerRect size = windRoseMarkerSize(frameGeometry().width(), frameGeometry().height());
  placeMarker(size.width, size.height);
  const RgbColour colour = WindSpeedColour(speedTenths);
  Shape1->setBrushColour(QColor(colour.red, colour.green, colour.blue));
}

void TWindrose::placeMarker(int markerWidth, int markerHeight) {
  const MarkerRect m =
      windRoseMarker(weather_.Wind.Dir, width(), height(), markerWidth, markerHeight);
  Shape1->setGeometry(m.left, m.top, m.width, m.height);
  // Before the first wind group the marker would point north for no reason.
  Shape1->setVisible(!state_ || state_->seenCF);
}

void TWindrose::showEvent(QShowEvent* event) {
  ToolWindow::showEvent(event);
  placeMarker(Shape1->width(), Shape1->height());
}

void TWindrose::resizeEvent(QResizeEvent* event) {
  ToolWindow::resizeEvent(event);
  // The rose is round: the client stays square, its height following its width.
  if (height() != width()) resize(width(), width());
  Image1->setGeometry(rect());
  UpdateRose(weather_.Wind.Speed);
}

}  // namespace tavik
