#pragma once

#include <QWidget>

#include <string>
#include <vector>

#include "common/regional.h"
#include "explorer/weather_log_reader.h"

namespace tavik {

// A line plot of one quantity over time: the value axis with its unit on the
// left, date and time along the bottom.
class LogPlotWidget : public QWidget {
  Q_OBJECT

 public:
  explicit LogPlotWidget(const RegionalSettings& regional, QWidget* parent = nullptr);

  void setSeries(LogQuantity quantity, std::vector<SeriesPoint> points);

  LogQuantity quantity() const { return quantity_; }
  const std::vector<SeriesPoint>& points() const { return points_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const RegionalSettings& regional_;
  LogQuantity quantity_ = LogQuantity::TempOut;
  std::vector<SeriesPoint> points_;
};

}  // namespace tavik
