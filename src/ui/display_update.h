// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>

#include "common/clock.h"
#include "common/regional.h"
#include "station/weather_record.h"

namespace tavik {

// What a label shows for a value whose data group has not been decoded yet.
inline constexpr const char* kNoValue = "–";

// The range of one of the five vertical bars of the display groups.
struct BarRange {
  int minimum;
  int maximum;
};
inline constexpr BarRange kHumidityBarRange{0, 100};          // ProgressBar1, ProgressBar2
inline constexpr BarRange kOutdoorTemperatureRange{-60, 60};  // ProgressBar3, °C
inline constexpr BarRange kIndoorTemperatureRange{0, 50};     // ProgressBar4, °C
inline constexpr BarRange kWindBarRange{0, 60};               // ProgressBar5, m/s

// Positions of the five bars, already inside their ranges.
struct BarPositions {
  int humIn = 0;    // ProgressBar1
  int humOut = 0;   // ProgressBar2
  int tempOut = 0;  // ProgressBar3
  int tempIn = 0;   // ProgressBar4
  int wind = 0;     // ProgressBar5
};

// A new text for the trend or forecast label together with the picture it
// shows; picture -1 means the picture is cleared and stays empty.
struct PictureChange {
  std::string labelText;
  int picture = -1;
};

// A time stamp that is absent keeps the label's previous text (the station's
// date could not be formed).
using StampText = std::optional<std::string>;

// Humidity and temperature groups: current value, high and low with their
// times, two alarm texts (the alarm labels are hidden; the alarm overview
// copies them).
struct ExtremesTexts {
  std::string current;
  std::string hi;
  StampText hiTime;
  std::string lo;
  StampText loTime;
  std::string alarmHi;
  std::string alarmLo;
};

struct DewPointTexts {
  std::string current;
  std::string hi;
  StampText hiTime;
  std::string lo;
  StampText loTime;
  std::string alarm;
};

struct BarometerTexts {
  std::string local;
  std::string seaLevel;
  // Set only when the label's word changes.
  std::optional<PictureChange> trend;
  std::optional<PictureChange> forecast;
  std::string alarm;
};

struct RainTexts {
  std::string rate;
  std::string yesterday;
  std::string total;
  std::string since24h;
  StampText totalSince;
  std::string alarm;
};

struct WindTexts {
  std::string current;
  std::string average;
  std::string gust;
  // The German compass points of the three directions ("OSO").
  std::string currentPoint;
  std::string averagePoint;
  std::string gustPoint;
  std::string fiveMinuteMax;
  StampText gustTime;
  std::string alarm;
};

struct ChillTexts {
  std::string current;
  std::string lo;
  StampText loTime;
  std::string alarm;
};

// Everything one refresh writes into the main window, computed from the record
// alone so that the window only has to apply it. A group that has not been
// decoded since start shows kNoValue in its value texts.
struct DisplayUpdate {
  // Band "Letzte Abfrage": empty until the first good group of any kind.
  StampText time;          // Label1
  StampText date;          // Label2
  std::string alarmClock;  // Label6

  ExtremesTexts humIn;    // Label8, 9, 7, 10, 13, 11, 12
  ExtremesTexts humOut;   // Label5, 14, 18, 15, 19, 16, 17
  ExtremesTexts tempIn;   // Label22, 23, 27, 24, 28, 25, 26
  ExtremesTexts tempOut;  // Label29, 30, 34, 31, 35, 32, 33
  BarometerTexts baro;    // Label37, 38, 39 with Image1, 40 with Image2, 41
  DewPointTexts dewIn;    // Label42, 43, 47, 44, 48, 45
  DewPointTexts dewOut;   // Label46, 49, 52, 50, 53, 51
  RainTexts rain;         // Label55, 56, 57, 79, 58, 64
  WindTexts wind;         // Label66, 67, 68, 78, 71, 69
  ChillTexts chill;       // Label72, 73, 74, 75

  std::string power;           // Label80
  std::string displaySection;  // Label83
  // Unknown until the wind group, which carries it, has come.
  std::optional<bool> batteryLow;
  // Each bar at its minimum (empty) until its group has come.
  BarPositions bars;
  // Rows 1..5 of the five-minute wind list: the running maximum of the k oldest
  // per-minute gusts.
  std::array<std::string, 5> windRows;
};

// The texts the trend and forecast labels show before the refresh; the refresh
// only touches them (and their pictures) when the word changes.
struct PictureLabels {
  std::string trend = std::string("Trend: ") + kNoValue;
  std::string forecast = std::string("Vorhersage: ") + kNoValue;
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

// What status panel 1..5 (Import, Read, Wetterlog, APRS, Laufzeit) shows,
// given the clockwork's text: a countdown only while active (inactive, the
// minutes do not run: "Import: –"), "Kein ..." whenever the clockwork says
// so, and the run time once it has been counted.
std::string shownPanelText(int panel, bool active, const std::string& clockworkText);

// The band's warning while the line is silent: "keine Daten seit HH:MM" with
// the PC time the silence is counted from; empty while the data are fresh.
std::string staleDataText(const std::optional<LocalDateTime>& silentSince,
                          const RegionalSettings& regional);

}  // namespace tavik
