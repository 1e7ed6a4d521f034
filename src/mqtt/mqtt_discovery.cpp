// SPDX-License-Identifier: GPL-3.0-or-later
#include "mqtt/mqtt_discovery.h"

#include "products/current_json.h"

namespace tavik {

namespace {

constexpr const char* kModel = "WM-918";

std::string field(const char* name, const std::string& value) {
  return jsonString(name) + ":" + jsonString(value);
}

}  // namespace

const std::vector<MqttQuantity>& mqttQuantities() {
  static const std::vector<MqttQuantity> quantities = {
      {"temperature_outdoor", "Außentemperatur", "temperature.outdoor", "temperature", "°C"},
      {"temperature_indoor", "Innentemperatur", "temperature.indoor", "temperature", "°C"},
      {"humidity_outdoor", "Luftfeuchte außen", "humidity.outdoor", "humidity", "%"},
      {"humidity_indoor", "Luftfeuchte innen", "humidity.indoor", "humidity", "%"},
      {"dew_point_outdoor", "Taupunkt außen", "dewPoint.outdoor", "temperature", "°C"},
      {"dew_point_indoor", "Taupunkt innen", "dewPoint.indoor", "temperature", "°C"},
      {"wind_chill", "Windchill", "windChill", "temperature", "°C"},
      {"pressure_local", "Luftdruck", "pressure.local", "atmospheric_pressure", "hPa"},
      {"pressure_sea_level", "Luftdruck auf Meereshöhe", "pressure.seaLevel",
       "atmospheric_pressure", "hPa"},
      {"wind_speed", "Windgeschwindigkeit", "wind.speed", "wind_speed", "m/s"},
      {"wind_average_speed", "Wind im Mittel", "wind.averageSpeed", "wind_speed", "m/s"},
      {"wind_gust_5min", "Windspitze 5 Minuten", "wind.gust5min", "wind_speed", "m/s"},
      {"wind_direction", "Windrichtung", "wind.direction", "wind_direction", "°",
       "measurement_angle"},
      {"wind_average_direction", "Windrichtung im Mittel", "wind.averageDirection",
       "wind_direction", "°", "measurement_angle"},
      {"rain_rate", "Regenrate", "rain.rate", "precipitation_intensity", "mm/h"},
      {"rain_yesterday", "Regen gestern", "rain.yesterday", "precipitation", "mm"},
      {"rain_total", "Regen gesamt", "rain.total", "precipitation", "mm", "total_increasing"},
      {"rain_last_hour", "Regen letzte Stunde", "rain.lastHour", "precipitation", "mm"},
      {"rain_last_24h", "Regen 24 Stunden", "rain.last24h", "precipitation", "mm"},
      {"rain_today", "Regen heute", "rain.today", "precipitation", "mm", "total_increasing"},
  };
  return quantities;
}

std::string discoveryTopic(const std::string& station, const MqttQuantity& quantity) {
  return "homeassistant/sensor/" + station + "/" + quantity.id + "/config";
}

std::string discoveryConfig(const MqttQuantity& q, const std::string& station,
                            const std::string& prefix, std::string_view version) {
  const std::string device = "tavik_" + station;
  std::string json = "{" + field("name", q.name) + "," + field("unique_id", device + "_" + q.id) +
                     "," + field("default_entity_id", "sensor." + station + "_" + q.id) + "," +
                     field("state_topic", prefix + "/state") + "," +
                     field("availability_topic", prefix + "/availability") + "," +
                     field("value_template", std::string("{{ value_json.") + q.jsonPath + " }}");
  if (*q.deviceClass) json += "," + field("device_class", q.deviceClass);
  json += "," + field("state_class", q.stateClass) + "," + field("unit_of_measurement", q.unit) +
          ",\"device\":{\"identifiers\":[" + jsonString(device) + "]," +
          field("name", "Wetterstation " + station) + "," + field("model", kModel) + "," +
          field("sw_version", std::string(version)) + "}}";
  return json;
}

}  // namespace tavik
