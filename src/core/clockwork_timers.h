// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

namespace tavik {

class Clockwork;

// The five timers of the clockwork as QTimers on the event loop, for a program
// without the main window: they start, stop and change period as the
// clockwork's timer states say. A timer whose state stays keeps its phase.
class ClockworkTimers : public QObject {
 public:
  // `speedUp` > 1 runs every period that many times as fast (with a clock
  // that runs as fast, see scaled_clock.h).
  ClockworkTimers(Clockwork& clockwork, int speedUp, QObject* parent = nullptr);
  ~ClockworkTimers() override;
  ClockworkTimers(const ClockworkTimers&) = delete;
  ClockworkTimers& operator=(const ClockworkTimers&) = delete;

  // Follows the clockwork's timer states now.
  void sync();

  const QTimer& importtimer() const { return importtimer_; }
  const QTimer& readtimer() const { return readtimer_; }
  const QTimer& logtimer() const { return logtimer_; }

 private:
  Clockwork& clockwork_;
  int speedUp_;
  QTimer importtimer_;
  QTimer readtimer_;
  QTimer logtimer_;
  QTimer minutencount_;
  QTimer tmrSekunden_;
};

}  // namespace tavik
