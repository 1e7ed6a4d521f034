// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/group_stream.h"

#include <algorithm>
#include <cstring>

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

// Values change slowly: most groups repeat the bytes of the last entered
// group of their kind, and most others change a byte or two of it (the clock,
// a value on the move). A repeat decodes to the fields the record holds, so
// only what decoding it again and its judgement change is written; a changed
// group is decoded straight into the record and only the rules fed by the
// changed bytes are asked. When the check has any doubt (or nothing to
// compare with) the record is put back as it was, by decoding the last
// entered group again, and false leaves the group to the whole judgement.
// One copy per kind: whether a group repeats depends mostly on its kind, and
// each copy's branches learn their own kind.
template <GroupKind K>
bool GroupStream::enterAgainstLastOf(const GroupFramer::Candidate& c) {
  constexpr auto kLength = static_cast<size_t>(groupLength(K) - 1);
  EnteredBytes& last = lastEnteredBytes_[static_cast<size_t>(groupIndex(K))];
  if (last.size != kLength || c.body.size() != kLength) return false;
  const ByteChange change = byteChangeOf<K>(last.bytes.data(), c.body.data());
  if (!change.any()) {
    check_.judgeRepeat(K, chunkSeconds());
    redecodeSameGroup<K>(data_);
  } else {
    const StationState state = data_.state;
    decodeChangedGroup<K>(c.body, change.bytes, data_);
    if (!check_.acceptChanged<K>(data_.weather, change.rules, chunkSeconds())) {
      decodeGoodGroupOf<K>(std::span<const uint8_t>(last.bytes.data(), kLength), data_);
      data_.state = state;
      return false;
    }
    std::memcpy(last.bytes.data(), c.body.data(), kLength);
  }
  entered_ = true;
  lastDecoded_ = &data_;
  return true;
}

// One jump through a table to the copy of the group's kind.
bool GroupStream::enterAgainstLast(const GroupFramer::Candidate& c) {
  using Enter = bool (GroupStream::*)(const GroupFramer::Candidate&);
  static constexpr std::array<Enter, 5> kByKind = {
      &GroupStream::enterAgainstLastOf<GroupKind::G8F>,
      &GroupStream::enterAgainstLastOf<GroupKind::G9F>,
      &GroupStream::enterAgainstLastOf<GroupKind::GAF>,
      &GroupStream::enterAgainstLastOf<GroupKind::GBF>,
      &GroupStream::enterAgainstLastOf<GroupKind::GCF>};
  return (this->*kByKind[static_cast<size_t>(groupIndex(c.kind))])(c);
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
