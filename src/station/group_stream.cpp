// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/group_stream.h"

#include <algorithm>

#include "station/rule_bytes.h"
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
  judgement_.verdict = PlausibilityCheck::Verdict::Accepted;
  judgement_.refusedFields.clear();
  entered_ = false;
  lastDecoded_ = &scratch_;
  bool ok = true;
  if (!c.checksumOk) {
    // A wrong checksum writes only its verdict; no copy is needed for it.
    ok = decodeGroup(c.kind, c.body, data_);
  } else if (!enterAgainstLast(c)) {
    ok = decodeAndJudge(c);
  }
  if (onGroup_) onGroup_(c.kind, ok);
}

const LocalDateTime& GroupStream::chunkTime() {
  if (!chunkTime_) {
    chunkTime_ = clock_.now();
    chunkSeconds_ = secondsOnClock(*chunkTime_);
  }
  return *chunkTime_;
}

int64_t GroupStream::chunkSeconds() {
  chunkTime();
  return chunkSeconds_;
}

// Enters a repeated group without decoding or copying its fields: only what
// decoding it again and its judgement change is written.
void GroupStream::enterRepeat(GroupKind kind) {
  check_.judgeRepeat(kind, chunkSeconds());
  redecodeSameGroup(kind, data_);
  entered_ = true;
  lastDecoded_ = &data_;
}

// Values change slowly: most groups repeat the bytes of the last entered
// group of their kind, and most others change a byte or two of it (the clock,
// a value on the move). A repeat decodes to the fields the record holds; a
// changed group is decoded straight into the record and only the rules fed by
// the changed bytes are asked. When the check has any doubt (or nothing to
// compare with) the record is put back as it was, by decoding the last
// entered group again, and false leaves the group to the whole judgement.
bool GroupStream::enterAgainstLast(const GroupFramer::Candidate& c) {
  EnteredBytes& last = lastEnteredBytes_[static_cast<size_t>(groupIndex(c.kind))];
  if (last.size == 0 || c.body.size() != last.size) return false;
  const std::span<const uint8_t> lastBody(last.bytes.data(), last.size);
  const ByteChange change = byteChange(c.kind, lastBody, c.body);
  if (!change.any) {
    enterRepeat(c.kind);
    return true;
  }
  const StationState state = data_.state;
  decodeGoodGroup(c.kind, c.body, data_);
  if (!check_.acceptChanged(c.kind, data_.weather, change.rules, chunkSeconds())) {
    decodeGoodGroup(c.kind, lastBody, data_);
    data_.state = state;
    return false;
  }
  std::copy(c.body.begin(), c.body.end(), last.bytes.begin());
  entered_ = true;
  lastDecoded_ = &data_;
  return true;
}

// Decodes the group into a copy of its fields and of the state, asks the
// check and takes the copy over only when the check accepts it. Only the
// group's own fields move: the rest of the record is neither read nor written.
bool GroupStream::decodeAndJudge(const GroupFramer::Candidate& c) {
  const int index = groupIndex(c.kind);
  copyGroupFields(c.kind, data_.weather, scratch_.weather);
  scratch_.state = data_.state;
  const bool ok = decodeGroup(c.kind, c.body, scratch_);
  data_.verdicts.cells[index] = scratch_.verdicts.cells[index];
  if (!ok) return false;
  judgement_ = check_.judge(c.kind, scratch_.weather, chunkTime());
  switch (judgement_.verdict) {
    case PlausibilityCheck::Verdict::Accepted: {
      copyGroupFields(c.kind, scratch_.weather, data_.weather);
      data_.state = scratch_.state;
      entered_ = true;
      EnteredBytes& last = lastEnteredBytes_[static_cast<size_t>(index)];
      last.size = std::min(c.body.size(), last.bytes.size());
      std::copy_n(c.body.begin(), last.size, last.bytes.begin());
      break;
    }
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
