// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

namespace tavik {

class Clockwork;

// The five timers of the clockwork as QTimers on the event loop, for the main
// window and the service alike: they start, stop and change period as the
// clockwork's timer states say. A timer whose state stays keeps its phase.
// The QTimers are children of this object, named as the clockwork's ticks
// (importtimer, readtimer, logtimer, minutencount, tmrSekunden).
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

  // A period as a QTimer runs it under the speed-up: at least 1 ms. The
  // owner's other timers (the port retry, the status watch) take theirs here.
  int interval(int periodMs) const;

 private:
  Clockwork& clockwork_;
  int speedUp_;
  QTimer importtimer_{this};
  QTimer readtimer_{this};
  QTimer logtimer_{this};
  QTimer minutencount_{this};
  QTimer tmrSekunden_{this};
};

}  // namespace tavik
