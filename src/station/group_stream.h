// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <span>

#include "common/clock.h"
#include "station/decoders.h"
#include "station/group_framer.h"
#include "station/plausibility_check.h"
#include "station/port_listener.h"
#include "station/refusal_report.h"

namespace tavik {

class SerialPort;

// The station's byte stream framed into groups of the five kinds, each group
// decoded and, when the plausibility check lets it, written into one
// StationData. Groups come out in stream order. A group that the check does
// not accept leaves the record and the values beside it exactly as they were;
// its checksum verdict is recorded all the same and a refusal is counted in
// the verdicts.
class GroupStream : public PortListener {
 public:
  using GroupHandler = std::function<void(GroupKind kind, bool checksumOk)>;

  // Times the groups on the system clock and reports refusals nowhere.
  explicit GroupStream(StationData& data);
  // Times the groups on `clock`; refusals are reported to `log` when given.
  GroupStream(StationData& data, const Clock& clock, std::ostream* log = nullptr);
  ~GroupStream() override;
  GroupStream(const GroupStream&) = delete;
  GroupStream& operator=(const GroupStream&) = delete;

  // Called after every decoded group, good or bad.
  void setGroupHandler(GroupHandler handler) { onGroup_ = std::move(handler); }

  // The groups a chunk completes arrived together: the clock is read once
  // for them, at the first group that needs it.
  void feed(std::span<const uint8_t> chunk) {
    chunkTime_.reset();
    framer_.feed(chunk);
  }
  // Listens to the port (registered as one listener).
  void attach(SerialPort& port);

  // Bytes of a group that has begun and is not complete yet.
  size_t pendingBytes() const { return framer_.pendingBytes(); }

  // For the group just handed to the handler, when its checksum was right:
  // its fields and the state as decoded, whatever the check said (the other
  // kinds' fields there are not kept current), and the check's judgement.
  const StationData& lastDecoded() const { return *lastDecoded_; }
  const PlausibilityCheck::Judgement& lastJudgement() const { return judgement_; }
  // Whether the last group entered the record.
  bool lastEntered() const { return entered_; }

  void receiveChunk(std::span<const uint8_t> chunk) override { feed(chunk); }
  void portDestroyed() override { port_ = nullptr; }

 private:
  void handle(const GroupFramer::Candidate& c);
  bool decodeAndJudge(const GroupFramer::Candidate& c);
  bool enterAgainstLast(const GroupFramer::Candidate& c);
  template <GroupKind K>
  bool enterAgainstLastOf(const GroupFramer::Candidate& c);
  const LocalDateTime& chunkTime();
  int64_t chunkSeconds();

  // The bytes after the group byte of the last group of a kind that entered
  // the record; empty until one has.
  struct EnteredBytes {
    std::array<uint8_t, 34> bytes{};
    size_t size = 0;
  };

  StationData& data_;
  SystemClock systemClock_;
  const Clock& clock_;
  std::unique_ptr<RefusalReport> report_;
  GroupHandler onGroup_;
  GroupFramer framer_;
  PlausibilityCheck check_;
  StationData scratch_;
  PlausibilityCheck::Judgement judgement_;
  bool entered_ = false;
  const StationData* lastDecoded_ = &scratch_;
  std::array<EnteredBytes, 5> lastEnteredBytes_{};
  std::optional<LocalDateTime> chunkTime_;
  int64_t chunkSeconds_ = 0;  // secondsOnClock() of chunkTime_
  SerialPort* port_ = nullptr;
};

}  // namespace tavik
