// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

class QSocketNotifier;

namespace tavik {

class SerialPort;

// Drives a SerialPort on the Qt event loop: while the device handle is open a
// read notifier hands waiting bytes to the port; when the line is lost the
// notifier goes and a timer tries to reopen the device every few seconds. It
// follows the port's state changes by itself. The port must outlive it.
class PortNotifier : public QObject {
 public:
  explicit PortNotifier(SerialPort& port, QObject* parent = nullptr);
  ~PortNotifier() override;
  PortNotifier(const PortNotifier&) = delete;
  PortNotifier& operator=(const PortNotifier&) = delete;

  // Arms the notifier and the retry timer for the port's current state.
  void portStateChanged();

  void setRetryInterval(int ms) { retry_.setInterval(ms); }
  bool reading() const { return notifier_ != nullptr; }
  bool retrying() const { return retry_.isActive(); }

 private:
  void dropNotifier();

  SerialPort& port_;
  QSocketNotifier* notifier_ = nullptr;
  QTimer retry_;
};

}  // namespace tavik
