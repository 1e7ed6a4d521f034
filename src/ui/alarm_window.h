// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <utility>

#include <QString>

#include "widgets/tool_window.h"

namespace tavik {

class StringGrid;

// The alarm texts of the main window as the overview lists them ("Alarm bei
// 25°F", "Alarm: n/a", "Alarm um 7:5", ...).
struct AlarmTexts {
  QString alarmClock;
  QString humOutHi, humOutLo;
  QString humInLo, humInHi;
  QString tempOutLo, tempOutHi;
  QString tempInLo, tempInHi;
  QString dewOut, dewIn;
  QString chill;
  QString baro;
  QString wind;
  QString rain;
};

// The alarm overview: a snapshot of every alarm threshold, taken each time the
// window is shown from the texts the source hands over.
class Talarmfrm : public ToolWindow {
  Q_OBJECT

 public:
  using AlarmTextSource = std::function<AlarmTexts()>;

  explicit Talarmfrm(QWidget* parent = nullptr);

  void setAlarmTextSource(AlarmTextSource source) { source_ = std::move(source); }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void fill(const AlarmTexts& texts);
  // The smallest size keeps every text whole.
  void fitToTexts();
  void fitColumns();

  AlarmTextSource source_;
  StringGrid* StringGrid1;
};

}  // namespace tavik
