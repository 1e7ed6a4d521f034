#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/clock.h"
#include "common/regional.h"
#include "station/weather_record.h"

namespace tavik {

// The five vertical bars of the display groups, ProgressBar1..ProgressBar5.
struct BarRange {
  int minimum;
  int maximum;
};
inline constexpr std::array<BarRange, 5> kBarRanges{
    {{0, 100}, {0, 100}, {-60, 60}, {0, 50}, {0, 60}}};

// A new text for the trend or forecast label together with the picture it
// shows; picture -1 means the picture is cleared and stays empty.
struct PictureChange {
  std::string labelText;
  int picture = -1;
};

// Everything one refresh writes into the main window, computed from the record
// alone so that the window only has to apply it.
struct DisplayUpdate {
  // Object name and new text of every label that changes, in refresh order.
  // Labels whose value cannot be formed (an invalid time stamp) are absent and
  // keep what they show.
  std::vector<std::pair<std::string, std::string>> labels;
  // Positions of ProgressBar1..ProgressBar5, already inside kBarRanges.
  std::array<int, 5> bars{};
  // Set only when the label's word changes.
  std::optional<PictureChange> trend;
  std::optional<PictureChange> forecast;
  bool batteryLow = false;
  // Rows 1..5 of the five-minute wind list: the running maximum of the k oldest
  // per-minute gusts.
  std::array<std::string, 5> windRows;

  // The text given to a label by this refresh, or nullptr.
  const std::string* text(const std::string& label) const;
};

// The texts the trend and forecast labels show before the refresh; the refresh
// only touches them (and their pictures) when the word changes.
struct PictureLabels {
  std::string trend = "Trend";
  std::string forecast = "Vorhersage";
};

DisplayUpdate computeDisplayUpdate(const WeatherRecord& weather, const StationState& state,
                                   const Clock& clock, const RegionalSettings& regional,
                                   const PictureLabels& before);

// "hh:mm" + two blanks + the short date of the station time in the clock's
// current year; nothing when the date is missing or invalid.
std::optional<std::string> stationStampText(int hour, int minute, int day, int month, int year,
                                            const RegionalSettings& regional);

// The name of a display section of the console, empty for codes it does not use.
std::string displaySectionName(int section);

}  // namespace tavik
