// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "common/notifier.h"
#include "core/port_control.h"

namespace tavik {

// The activation ("Aktiv"): it opens and closes the port and runs the
// activation's timers. A port that cannot be opened leaves it inactive with
// the reason kept and told once.
class Activation {
 public:
  // `setTimers` runs or stops the activation's timers: before the port opens,
  // and at a failure before the message, which keeps dispatching events while
  // it is open.
  Activation(PortControl& port, Notifier& notifier, std::function<void(bool running)> setTimers);

  // Switches on or off; whether the port was just opened.
  bool toggle();
  // Back to inactive after the port could not be (re)opened; `reason` (one
  // line), when the port gave one, is the message's second line.
  void fail(const std::string& reason);

  bool isActive() const { return active_; }
  bool toolButtonDown() const { return toolButtonDown_; }
  // Why the port could not be opened at the last activation; empty once it
  // opens or the activation is switched off.
  const std::string& failure() const { return failure_; }
  // While set, a failure is kept but not told again.
  bool retrying = false;

 private:
  PortControl& port_;
  Notifier& notifier_;
  std::function<void(bool)> setTimers_;
  std::string failure_;
  bool active_ = false;
  bool toolButtonDown_ = false;
};

}  // namespace tavik
