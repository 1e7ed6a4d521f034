// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace tavik {

// The thermometer's scale picture, drawn to the widget's size: a glass tube
// with its bulb, a degree scale in °C on the left and one in °F on the right.
// -30 °C lies at 211/240 of the height, one degree spans 77/7200 of it, and
// the tube stands where the mercury bar is placed over the picture.
class ThermometerScale : public QWidget {
  Q_OBJECT

 public:
  explicit ThermometerScale(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The mercury column, stretched to the widget's size.
class MercuryColumn : public QWidget {
  Q_OBJECT

 public:
  explicit MercuryColumn(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tavik
