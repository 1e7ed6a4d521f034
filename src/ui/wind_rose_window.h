// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "station/weather_record.h"
#include "widgets/tool_window.h"

namespace tavik {

class CircleShape;
class CompassRose;

// The wind rose: a compass picture with a round marker on its ring that points
// to the current wind direction and is coloured by the wind speed; no marker
// until the wind group has arrived.
class TWindrose : public ToolWindow {
  Q_OBJECT

 public:
  // Without `state` the wind counts as arrived.
  explicit TWindrose(const WeatherRecord& weather, QWidget* parent = nullptr,
                     const StationState* state = nullptr);

  // Moves the marker to Wind.Dir of the record and colours it by the speed
  // (tenths of m/s); its size follows the window's size.
  void UpdateRose(uint16_t speedTenths);

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void placeMarker(int markerWidth, int markerHeight);

  const WeatherRecord& weather_;
  const StationState* state_;
  CompassRose* Image1;
  CircleShape* Shape1;
};

}  // namespace tavik
