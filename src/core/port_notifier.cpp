// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/port_notifier.h"

#include <QSocketNotifier>

#include "station/serial_port.h"

namespace tavik {

PortNotifier::PortNotifier(SerialPort& port, QObject* parent) : QObject(parent), port_(port) {
  retry_.setInterval(SerialPort::reopenIntervalMs);
  connect(&retry_, &QTimer::timeout, this, [this] { port_.tryReopen(); });
  port_.setStateObserver([this] { portStateChanged(); });
  portStateChanged();
}

PortNotifier::~PortNotifier() { port_.setStateObserver({}); }

void PortNotifier::portStateChanged() {
  // The handle may have changed even where its number did not: start afresh.
  dropNotifier();
  if (port_.fd() >= 0) {
    notifier_ = new QSocketNotifier(port_.fd(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { port_.handleReadable(); });
  }
  if (port_.Connected() && port_.lineLost()) {
    if (!retry_.isActive()) retry_.start();
  } else {
    retry_.stop();
  }
}

void PortNotifier::dropNotifier() {
  if (notifier_ == nullptr) return;
  // Called from the notifier's own signal when the line is lost: delete later.
  notifier_->setEnabled(false);
  notifier_->deleteLater();
  notifier_ = nullptr;
}

}  // namespace tavik
