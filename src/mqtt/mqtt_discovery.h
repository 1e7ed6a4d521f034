// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavik {

// One sensor as home automation finds it: its id in topics and entity ids,
// its German name, where its value lies in the state object (current.json),
// and its kind, unit and state class as Home Assistant names them.
struct MqttQuantity {
  const char* id;
  const char* name;
  const char* jsonPath;
  const char* deviceClass;
  const char* unit;
  // "measurement" for a present value, "measurement_angle" for a direction,
  // "total_increasing" for a counter that only grows until it is reset.
  const char* stateClass = "measurement";
};

const std::vector<MqttQuantity>& mqttQuantities();

// "homeassistant/sensor/<station>/<quantity>/config".
std::string discoveryTopic(const std::string& station, const MqttQuantity& quantity);

// The retained discovery message of one sensor: a JSON object with name,
// unique_id, default_entity_id ("sensor.<station>_<quantity>"), state_topic,
// availability_topic, value_template, device_class, state_class,
// unit_of_measurement and the station's device.
std::string discoveryConfig(const MqttQuantity& quantity, const std::string& station,
                            const std::string& prefix, std::string_view version);

}  // namespace tavik
