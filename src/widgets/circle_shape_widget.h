// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

namespace tavik {

// A filled ellipse over the whole widget, like a lamp or a marker.
class CircleShape : public QWidget {
  Q_OBJECT

 public:
  explicit CircleShape(QColor brush, QWidget* parent = nullptr);

  void setBrushColour(QColor colour);
  QColor brushColour() const { return brush_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor brush_;
};

}  // namespace tavik
