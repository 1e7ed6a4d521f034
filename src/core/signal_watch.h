// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace tavik {

// SIGTERM and SIGINT (and SIGHUP, when asked for) handed to the Qt event loop.
// The first stop signal runs `onStop` there. A second stop signal ends the
// process at once, from the signal handler itself (exit status 128 + the
// signal number): whatever the first one is waiting for, the program never
// outlives it. One watch per process; the default handlers return with it.
class SignalWatch : public QObject {
 public:
  explicit SignalWatch(std::function<void()> onStop, std::function<void()> onReload = {},
                       QObject* parent = nullptr);
  ~SignalWatch() override;
  SignalWatch(const SignalWatch&) = delete;
  SignalWatch& operator=(const SignalWatch&) = delete;

 private:
  void readSignals();

  std::function<void()> onStop_;
  std::function<void()> onReload_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace tavik
