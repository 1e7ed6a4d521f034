// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavik {

class ProductSchedule;
class TimerPlan;

// The caption and the status panels the clockwork shows, and the two counts
// behind them that only the texts use: the seconds of the running minute
// (counted down from 59) and the run time while active.
class StatusTexts {
 public:
  // Every activation toggle starts the minute's seconds at 59 again.
  void restartSecond();
  // One second passed while active.
  void secondPassed();
  // Rewrites the caption, panels 1 to 5 and the web page's panel.
  void update(bool active, const TimerPlan& timers, const ProductSchedule& schedule);

  uint32_t activeSeconds() const { return activeSeconds_; }
  const std::string& caption() const { return caption_; }
  // Panel 1..5; any other number throws std::out_of_range.
  const std::string& panelText(int i) const;
  const std::string& webPanelText() const { return webPanel_; }

 private:
  static constexpr int kPanels = 5;
  static constexpr uint8_t kSecondCountdownStart = 59;

  uint8_t secondCountdown_ = 0;
  uint32_t activeSeconds_ = 0;
  std::string caption_ = "Tavik Output - Inactive";
  std::array<std::string, kPanels> panels_{};
  std::string webPanel_ = "Web: –";
};

}  // namespace tavik
