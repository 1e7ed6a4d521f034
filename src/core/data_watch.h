// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <ostream>

#include "common/clock.h"

namespace tavik {

// Watches whether the console still sends: the PC time of the last group with
// a good checksum, and whether the record has gone stale because none arrived
// for a minute. Timers publish nothing from a stale record, and the window
// warns while the line is silent.
class DataWatch {
 public:
  static constexpr long long kStaleAfterSeconds = 60;

  // `log` gets one line when the data stop and one when they return.
  DataWatch(const Clock& clock, std::ostream& log);

  // A group with a good checksum arrived.
  void goodGroup();
  // The activation started or ended; a silent line is announced only while
  // active, counted from the activation when no group came since.
  void setActive(bool active);
  // Announces a silence that reached a minute; run every second while active.
  void check();

  // Whether the last good group is less than a minute old (false before the
  // first one, and when the clock went back behind it).
  bool fresh() const;
  // Whether the silence has been announced and not ended: the window's warning.
  bool silent() const { return silent_; }
  const std::optional<LocalDateTime>& lastGoodGroup() const { return lastGood_; }
  // While silent: the last good group, or the activation when none came
  // before the silence began; nothing otherwise.
  std::optional<LocalDateTime> silentSince() const;

 private:
  const Clock& clock_;
  std::ostream& log_;
  std::optional<LocalDateTime> lastGood_;
  std::optional<LocalDateTime> activeSince_;
  std::optional<LocalDateTime> silentFrom_;
  bool silent_ = false;
};

}  // namespace tavik
