// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <string>

namespace tavik {

// Tells systemd how the service is doing (sd_notify): ready, reloading,
// stopping, a status line, and the watchdog's keep-alive at half the
// interval the unit asks for. Without systemd (no NOTIFY_SOCKET) every call
// does nothing.
class SystemdNotify : public QObject {
 public:
  explicit SystemdNotify(QObject* parent = nullptr);

  void ready(const std::string& status);
  void reloading();
  void stopping();
  void status(const std::string& text);

 private:
  QTimer watchdog_;
};

}  // namespace tavik
