// SPDX-License-Identifier: GPL-3.0-or-later
#include "mqtt/mqtt_outlet.h"

#include <algorithm>

#include "common/version.h"

namespace tavik {

namespace {
constexpr int kTickMs = 1000;
}  // namespace

MqttOutlet::MqttOutlet(MqttStationView station, std::ostream& log)
    : publisher_(client_, std::move(station), log, std::string(programVersion)) {
  tick_.setInterval(kTickMs);
  QObject::connect(&tick_, &QTimer::timeout, [this] { publisher_.secondTick(); });
}

MqttOutlet::~MqttOutlet() { publisher_.shutdown(); }

void MqttOutlet::setTimeScale(int speedUp) {
  tick_.setInterval(std::max(1, kTickMs / std::max(1, speedUp)));
}

void MqttOutlet::configure(const MqttConfig& config) {
  publisher_.configure(config);
  if (config.enabled) {
    if (!tick_.isActive()) tick_.start();
  } else {
    tick_.stop();
  }
}

}  // namespace tavik
