// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/clockwork_activation.h"

#include <utility>

#include "station/port_error.h"

namespace tavik {

Activation::Activation(PortControl& port, Notifier& notifier,
                       std::function<void(bool running)> setTimers)
    : port_(port), notifier_(notifier), setTimers_(std::move(setTimers)) {}

bool Activation::toggle() {
  active_ = !active_;
  setTimers_(active_);
  if (!active_) {
    if (port_.connected()) port_.close();
    toolButtonDown_ = false;
    failure_.clear();
    return false;
  }
  bool opened = true;
  std::string reason;
  try {
    port_.open();
  } catch (const PortError& e) {
    opened = false;
    reason = e.what();
  } catch (...) {
    opened = false;
  }
  // The message box runs outside the handler, once the exception is gone.
  if (!opened) {
    fail(reason);
    return false;
  }
  failure_.clear();
  toolButtonDown_ = true;
  return true;
}

void Activation::fail(const std::string& reason) {
  if (port_.connected()) port_.close();
  setTimers_(false);
  failure_ =
      port_.portName() + " kann nich geöffnet werden." + (reason.empty() ? "" : "\n" + reason);
  if (!retrying) notifier_.notify(failure_, "Comport belegt", MessageButtons::OkCancel);
  active_ = false;
  toolButtonDown_ = false;
}

}  // namespace tavik
