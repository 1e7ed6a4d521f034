// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavik {

// One sensor as home automation finds it: its id in topics and entity ids,
// its German name, where its value lies in the state object (current.json),
// and its kind and unit as Home Assistant names them ("" for no kind).
struct MqttQuantity {
  const char* id;
  const char* name;
  const char* jsonPath;
  const char* deviceClass;
  const char* unit;
};

const std::vector<MqttQuantity>& mqttQuantities();

// "homeassistant/sensor/<station>/<quantity>/config".
std::string discoveryTopic(const std::string& station, const MqttQuantity& quantity);

// The retained discovery message of one sensor: a JSON object with name,
// unique_id, state_topic, availability_topic, value_template, device_class,
// state_class "measurement", unit_of_measurement and the station's device.
std::string discoveryConfig(const MqttQuantity& quantity, const std::string& station,
                            const std::string& prefix, std::string_view version);

}  // namespace tavik
