// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/group_stream.h"

#include "station/serial_port.h"

namespace tavik {

GroupStream::GroupStream(StationData& data) : data_(data), clock_(systemClock_) {
  framer_.setHandler([this](const GroupFramer::Candidate& c) { handle(c); });
}

GroupStream::GroupStream(StationData& data, const Clock& clock, std::ostream* log)
    : data_(data), clock_(clock) {
  if (log != nullptr) report_ = std::make_unique<RefusalReport>(*log, clock);
  framer_.setHandler([this](const GroupFramer::Candidate& c) { handle(c); });
}

GroupStream::~GroupStream() {
  if (port_ != nullptr) port_->unregisterListener(this);
}

void GroupStream::attach(SerialPort& port) {
  if (port_ == &port) return;
  if (port_ != nullptr) port_->unregisterListener(this);
  port.registerListener(this);
  port_ = &port;
}

void GroupStream::handle(const GroupFramer::Candidate& c) {
  judgement_ = {};
  entered_ = false;
  // A wrong checksum writes only its verdict; no copy is needed for it.
  const bool ok = c.checksumOk ? decodeAndJudge(c) : DecodeGroup(c.kind, c.body, data_);
  if (onGroup_) onGroup_(c.kind, ok);
}

// Decodes the group into a copy of its fields and of the state, asks the
// check and takes the copy over only when the check accepts it. Only the
// group's own fields move: the rest of the record is neither read nor written.
bool GroupStream::decodeAndJudge(const GroupFramer::Candidate& c) {
  const int index = groupIndex(c.kind);
  CopyGroupFields(c.kind, data_.weather, scratch_.weather);
  scratch_.state = data_.state;
  const bool ok = DecodeGroup(c.kind, c.body, scratch_);
  data_.verdicts.cells[index] = scratch_.verdicts.cells[index];
  if (!ok) return false;
  if (!chunkTime_) chunkTime_ = clock_.now();
  judgement_ = check_.judge(c.kind, scratch_.weather, *chunkTime_);
  switch (judgement_.verdict) {
    case PlausibilityCheck::Verdict::Accepted:
      CopyGroupFields(c.kind, scratch_.weather, data_.weather);
      data_.state = scratch_.state;
      entered_ = true;
      break;
    case PlausibilityCheck::Verdict::Refused:
      data_.verdicts.refused[index] = check_.refusals()[index];
      if (report_) report_->refused(c.kind, judgement_);
      break;
    case PlausibilityCheck::Verdict::Held:
      break;
  }
  return true;
}

}  // namespace tavik
