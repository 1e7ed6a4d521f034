// SPDX-License-Identifier: GPL-3.0-or-later
// The Home Assistant discovery messages against the rules of its MQTT sensor,
// and their value templates against the state object.
#include "mqtt/mqtt_discovery.h"

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <map>
#include <set>

#include "../station/group_builder.h"
#include "common/version.h"
#include "products/current_json.h"
#include "station/group_stream.h"

namespace tavik {
namespace {

QJsonObject parsed(const std::string& json) {
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &error);
  EXPECT_EQ(error.error, QJsonParseError::NoError) << json;
  return doc.object();
}

// The value a template "{{ value_json.a.b }}" picks out of the state.
QJsonValue templateValue(const QJsonObject& state, const QString& tmpl) {
  const QString prefix = QStringLiteral("{{ value_json."), suffix = QStringLiteral(" }}");
  EXPECT_TRUE(tmpl.startsWith(prefix) && tmpl.endsWith(suffix)) << tmpl.toStdString();
  const QStringList path =
      tmpl.mid(prefix.size(), tmpl.size() - prefix.size() - suffix.size()).split(QLatin1Char('.'));
  QJsonValue v = state;
  for (const QString& key : path) {
    if (!v.isObject() || !v.toObject().contains(key)) return QJsonValue::Undefined;
    v = v.toObject().value(key);
  }
  return v;
}

// The rules Home Assistant's MQTT sensor applies to a discovery message, as
// its documentation gives them: the keys a sensor takes (object_id is gone;
// default_entity_id names the entity as "<domain>.<object id>"), and for each
// device class the units and state classes it accepts. A direction has the
// device class wind_direction and the state class measurement_angle, which
// no other device class takes, so that its mean is taken on the circle.
struct DeviceClassRule {
  std::set<QString> units;
  std::set<QString> stateClasses;
};

const std::map<QString, DeviceClassRule>& deviceClassRules() {
  static const std::map<QString, DeviceClassRule> rules = {
      {"temperature", {{"°C", "°F", "K"}, {"measurement"}}},
      {"humidity", {{"%"}, {"measurement"}}},
      {"atmospheric_pressure", {{"hPa", "mbar", "kPa", "inHg", "mmHg"}, {"measurement"}}},
      {"wind_speed", {{"m/s", "km/h", "mph", "kn"}, {"measurement"}}},
      {"wind_direction", {{"°"}, {"measurement_angle"}}},
      {"precipitation", {{"mm", "cm", "in"}, {"measurement", "total", "total_increasing"}}},
      {"precipitation_intensity", {{"mm/h", "in/h", "mm/d", "in/d"}, {"measurement"}}},
  };
  return rules;
}

TEST(MqttDiscovery, EveryConfigFollowsTheSensorSchema) {
  const std::set<QString> strings = {"name",         "unique_id",      "default_entity_id",
                                     "state_topic",  "value_template", "availability_topic",
                                     "device_class", "state_class",    "unit_of_measurement"};
  const QRegularExpression entityId(QStringLiteral("^sensor\\.[a-z0-9_]+$"));
  std::set<QString> uniqueIds, entityIds;
  for (const MqttQuantity& q : mqttQuantities()) {
    SCOPED_TRACE(q.id);
    const std::string topic = discoveryTopic("dl1abc", q);
    EXPECT_EQ(topic, std::string("homeassistant/sensor/dl1abc/") + q.id + "/config");
    const QJsonObject c = parsed(discoveryConfig(q, "dl1abc", "tavik/dl1abc", programVersion));
    for (auto it = c.begin(); it != c.end(); ++it) {
      if (it.key() == "device") continue;
      EXPECT_TRUE(strings.count(it.key())) << "unknown key " << it.key().toStdString();
      EXPECT_TRUE(it.value().isString()) << it.key().toStdString();
    }
    EXPECT_FALSE(c.contains("object_id"));
    EXPECT_EQ(c["state_topic"].toString(), "tavik/dl1abc/state");
    EXPECT_EQ(c["availability_topic"].toString(), "tavik/dl1abc/availability");
    EXPECT_FALSE(c["name"].toString().isEmpty());
    EXPECT_TRUE(uniqueIds.insert(c["unique_id"].toString()).second);
    const QString id = c["default_entity_id"].toString();
    EXPECT_TRUE(entityId.match(id).hasMatch()) << id.toStdString();
    EXPECT_TRUE(entityIds.insert(id).second);
    const auto rule = deviceClassRules().find(c["device_class"].toString());
    ASSERT_NE(rule, deviceClassRules().end()) << c["device_class"].toString().toStdString();
    EXPECT_TRUE(rule->second.units.count(c["unit_of_measurement"].toString()));
    EXPECT_TRUE(rule->second.stateClasses.count(c["state_class"].toString()))
        << c["state_class"].toString().toStdString();
    const QJsonObject device = c["device"].toObject();
    EXPECT_EQ(device.keys(), (QStringList{"identifiers", "model", "name", "sw_version"}));
    ASSERT_TRUE(device["identifiers"].isArray());
    EXPECT_EQ(device["identifiers"].toArray(), QJsonArray{"tavik_dl1abc"});
    EXPECT_EQ(device["model"].toString(), "WM-918");
    EXPECT_EQ(device["sw_version"].toString().toStdString(), programVersion);
    EXPECT_TRUE(device["name"].isString());
  }
  EXPECT_EQ(uniqueIds.size(), mqttQuantities().size());
}

// The counters are declared as counters, the rolling sums as measurements, and
// the rain of today, of the last hour and of the last 24 hours each have a sensor.
TEST(MqttDiscovery, TheRainSensorsHaveTheirStateClasses) {
  std::map<std::string, QString> stateClass;
  for (const MqttQuantity& q : mqttQuantities()) {
    stateClass[q.id] = parsed(discoveryConfig(q, "dl1abc", "p", "1"))["state_class"].toString();
  }
  EXPECT_EQ(stateClass["rain_total"], "total_increasing");
  EXPECT_EQ(stateClass["rain_today"], "total_increasing");
  EXPECT_EQ(stateClass["rain_last_hour"], "measurement");
  EXPECT_EQ(stateClass["rain_last_24h"], "measurement");
  EXPECT_EQ(stateClass["wind_direction"], "measurement_angle");
  EXPECT_EQ(stateClass["wind_average_direction"], "measurement_angle");
}

TEST(MqttDiscovery, TheIdsStayAsTheyAreForTheSameStation) {
  const MqttQuantity& q = mqttQuantities().front();
  const QJsonObject a = parsed(discoveryConfig(q, "dl1abc", "tavik/dl1abc", "1"));
  const QJsonObject b = parsed(discoveryConfig(q, "dl1abc", "haus/wetter", "2"));
  EXPECT_EQ(a["unique_id"], b["unique_id"]);
  EXPECT_EQ(a["unique_id"].toString(), "tavik_dl1abc_temperature_outdoor");
  EXPECT_EQ(b["state_topic"].toString(), "haus/wetter/state");
}

// Every template finds a number in the state of a record that has every
// group kind, and null where a group never arrived.
TEST(MqttDiscovery, EveryTemplateFindsItsValueInTheStateObject) {
  StationData full;
  GroupStream stream(full);
  stream.feed(test::consoleGroupsTwice());
  ASSERT_TRUE(full.state.allSeen());
  StationData empty;
  for (const StationData* data : {&full, &empty}) {
    const QJsonObject state = parsed(currentJson({.weather = data->weather,
                                                  .state = data->state,
                                                  .station = "dl1abc",
                                                  .generated = {2026, 12, 9, 1, 2, 3},
                                                  .lastGroup = std::nullopt,
                                                  .stale = false,
                                                  .utcOffsetMinutes = 60,
                                                  .today = {}}));
    size_t numbers = 0;
    for (const MqttQuantity& q : mqttQuantities()) {
      const QJsonObject c = parsed(discoveryConfig(q, "dl1abc", "tavik/dl1abc", "1"));
      const QJsonValue v = templateValue(state, c["value_template"].toString());
      EXPECT_TRUE(v.isDouble() || v.isNull()) << q.id;
      numbers += v.isDouble();
    }
    // Values out of range are null; most are in range.
    EXPECT_EQ(numbers > mqttQuantities().size() / 2, data == &full) << numbers;
  }
}

}  // namespace
}  // namespace tavik
