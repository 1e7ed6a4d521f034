// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace tavik {

// The compass-rose picture of the wind rose, drawn to the widget's size: a
// ring on which the direction marker runs, degree ticks, a star pointing to
// the eight directions and their German letters outside the ring.
class CompassRose : public QWidget {
  Q_OBJECT

 public:
  explicit CompassRose(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tavik
