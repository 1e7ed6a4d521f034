// SPDX-License-Identifier: GPL-3.0-or-later
#include "mqtt/mqtt_outlet.h"

#include <algorithm>
#include <utility>

#include "common/version.h"
#include "mqtt/mqtt_config.h"

namespace tavik {

namespace {
constexpr int kTickMs = 1000;
}  // namespace

MqttOutlet::MqttOutlet(MqttStationView station, const Settings& settings, std::string settingsDir,
                       std::string credentialsDir, std::ostream& log)
    : settings_(settings),
      settingsDir_(std::move(settingsDir)),
      credentialsDir_(std::move(credentialsDir)),
      publisher_(client_, std::move(station), log, std::string(programVersion)) {
  tick_.setInterval(kTickMs);
  QObject::connect(&tick_, &QTimer::timeout, [this] { publisher_.secondTick(); });
}

MqttOutlet::~MqttOutlet() { stop(); }

void MqttOutlet::setTimeScale(int speedUp) {
  tick_.setInterval(std::max(1, kTickMs / std::max(1, speedUp)));
}

void MqttOutlet::settingsChanged() {
  configure(mqttConfig(settings_, settingsDir_,
                       credentialsDir_.empty() ? nullptr : credentialsDir_.c_str()));
}

void MqttOutlet::stop() {
  tick_.stop();
  publisher_.shutdown();
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
