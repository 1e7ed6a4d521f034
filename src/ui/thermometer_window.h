// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/weather_record.h"
#include "ui/thermometer_scale.h"
#include "widgets/tool_window.h"

class QLabel;
class QMenu;
class QTimer;

namespace tavik {

class MercuryColumn;
class ThermometerScale;

// The mercury thermometer: a scale picture with a red column that shows one
// temperature of the record, chosen from the title bar's menu. It reads the
// record once a second while it is shown; the column stays empty until the
// value's group has arrived.
class Tanalog : public ToolWindow {
  Q_OBJECT

 public:
  // Without `state` every value counts as arrived.
  explicit Tanalog(const WeatherRecord& weather, QWidget* parent = nullptr,
                   const StationState* state = nullptr);

  ThermometerSource source() const { return source_; }
  // Shows the given quantity: caption, title bar and column at once.
  void selectSource(ThermometerSource source);
  // Moves the column to the current value and copies the caption to the title bar.
  void Timer1Timer();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Sizes the title bar for its font and keeps every caption whole.
  void fitToTexts();
  void layOut();

  const WeatherRecord& weather_;
  const StationState* state_;
  ThermometerSource source_ = ThermometerSource::TempIn;
  int titleHeight_ = 0;
  QLabel* Panel1;
  ThermometerScale* Image1;
  MercuryColumn* balken;
  QTimer* Timer1;
  QMenu* PopupMenu1;
};

}  // namespace tavik
