// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

#include <array>
#include <vector>

class QGroupBox;
class QLabel;
class QProgressBar;
class QWidget;

namespace tavik {

class CircleShape;
class CurrentValueLabel;
class TrendChart;
struct DisplayUpdate;

// The labels of a humidity or temperature group.
struct ExtremesLabels {
  CurrentValueLabel* current = nullptr;
  QLabel* hi = nullptr;
  QLabel* hiTime = nullptr;
  QLabel* lo = nullptr;
  QLabel* loTime = nullptr;
  QLabel* alarmHi = nullptr;  // hidden, like every alarm label
  QLabel* alarmLo = nullptr;
};

struct DewPointLabels {
  CurrentValueLabel* current = nullptr;
  QLabel* hi = nullptr;
  QLabel* hiTime = nullptr;
  QLabel* lo = nullptr;
  QLabel* loTime = nullptr;
  QLabel* alarm = nullptr;
};

struct BarometerLabels {
  CurrentValueLabel* local = nullptr;
  QLabel* seaLevel = nullptr;
  QLabel* trend = nullptr;
  QLabel* forecast = nullptr;
  QLabel* alarm = nullptr;
  QLabel* trendPicture = nullptr;     // Image1
  QLabel* forecastPicture = nullptr;  // Image2
};

struct RainLabels {
  CurrentValueLabel* rate = nullptr;
  QLabel* yesterday = nullptr;
  QLabel* total = nullptr;
  QLabel* since24h = nullptr;
  QLabel* totalSince = nullptr;
  QLabel* alarm = nullptr;
};

struct WindLabels {
  CurrentValueLabel* current = nullptr;
  QLabel* average = nullptr;
  QLabel* gust = nullptr;
  QLabel* currentPoint = nullptr;
  QLabel* averagePoint = nullptr;
  QLabel* gustPoint = nullptr;
  QLabel* fiveMinuteMax = nullptr;
  QLabel* gustTime = nullptr;
  QLabel* alarm = nullptr;
};

struct ChillLabels {
  CurrentValueLabel* current = nullptr;
  QLabel* lo = nullptr;
  QLabel* loTime = nullptr;
  QLabel* alarm = nullptr;
};

// The top band's data: "Letzte Abfrage", the alarm clock, the battery.
struct BandLabels {
  QLabel* time = nullptr;            // Label1
  QLabel* date = nullptr;            // Label2
  QLabel* alarmClock = nullptr;      // Label6
  QLabel* stale = nullptr;           // LabelKeineDaten: "keine Daten seit HH:MM"
  CircleShape* battery = nullptr;    // Shape1
  QLabel* power = nullptr;           // Label80
  QLabel* displaySection = nullptr;  // Label83
};

struct DisplayBars {
  QProgressBar* humIn = nullptr;    // ProgressBar1
  QProgressBar* humOut = nullptr;   // ProgressBar2
  QProgressBar* tempOut = nullptr;  // ProgressBar3
  QProgressBar* tempIn = nullptr;   // ProgressBar4
  QProgressBar* wind = nullptr;     // ProgressBar5
};

// Every control the display update writes, held by type, filled once where
// the window is built.
struct DisplayWidgets {
  BandLabels band;
  ExtremesLabels humIn;    // GroupBox2
  ExtremesLabels humOut;   // GroupBox3
  ExtremesLabels tempIn;   // GroupBox4
  ExtremesLabels tempOut;  // GroupBox5
  BarometerLabels baro;    // GroupBox6
  DewPointLabels dewIn;    // GroupBox7
  DewPointLabels dewOut;   // GroupBox8
  RainLabels rain;         // GroupBox9
  WindLabels wind;         // GroupBox10
  ChillLabels chill;       // GroupBox11
  DisplayBars bars;
  // GroupBox2..GroupBox11 (index 0 is group 2), the prominent current value
  // of each and the chart of its course (Chart2..Chart11).
  std::array<QGroupBox*, 10> groups{};
  std::array<CurrentValueLabel*, 10> currentValues{};
  std::array<TrendChart*, 10> charts{};
};

// The ten display groups with their captions, object names, labels, bars
// and pictures, laid out by Qt layouts; `owners` are the group's parents
// (the column panels), in group order.
void buildDisplayGroups(const std::array<QWidget*, 10>& owners, DisplayWidgets& out);

// The pressure trend and forecast pictures, indexed by the console's codes.
struct DisplayPictures {
  std::array<QPixmap, 5> trend;
  std::array<QPixmap, 9> forecast;
};

// Writes one refresh into the labels, bars and pictures; the battery lamp's
// colour too.
void showDisplayUpdate(const DisplayWidgets& w, const DisplayUpdate& u,
                       const DisplayPictures& pictures);

// Makes the group's current value larger and bolder than the group's font
// (before any growth).
void emphasiseCurrentValue(CurrentValueLabel* label, QGroupBox* group);

// Reserves for every label of the groups and the band the room of the
// longest texts it may show: shows each update in turn, notes what each label
// then reads, and goes back to what the labels showed before. Then
// applyReservedWidths makes the room.
void reserveLongestTexts(const DisplayWidgets& w, const std::vector<DisplayUpdate>& longest,
                         const DisplayPictures& pictures);
// Gives every label the width of its longest reserved text in its present
// font; again after each change of a group's font.
void applyReservedWidths(const DisplayWidgets& w);

// Lets every current value grow with the room the groups have beyond their
// smallest sizes, all by the same factor, wind included: as far as the
// tightest group allows, so that the values stay of one size.
void growCurrentValues(const DisplayWidgets& w);

}  // namespace tavik
