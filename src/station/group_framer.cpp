// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/group_framer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tavik {
namespace {

// The group length a byte starts, 0 for a byte that starts no group.
const std::array<uint8_t, 256> kLengthOf = [] {
  std::array<uint8_t, 256> lengths{};
  for (GroupKind kind : kGroupKinds)
    lengths[static_cast<uint8_t>(kind)] = static_cast<uint8_t>(groupLength(kind));
  return lengths;
}();

// Enough for the false starts that fit into one group.
constexpr size_t kMaxWrongEnds = 8;

}  // namespace

void GroupFramer::feed(std::span<const uint8_t> chunk) {
  const size_t had = buf_.size();
  buf_.resize(had + chunk.size());
  if (!chunk.empty()) std::memcpy(buf_.data() + had, chunk.data(), chunk.size());
  // Fed from inside a handler, the running frame() goes on with the bytes; a
  // candidate that waits for more goes on when they are there.
  if (framing_ || buf_.size() < wanted_) return;
  struct Done {
    GroupFramer& f;
    ~Done() {
      f.framing_ = false;
      f.compact();
    }
  } done{*this};
  framing_ = true;
  frame();
}

void GroupFramer::frame() {
  wanted_ = 0;
  for (;;) {
    const size_t size = buf_.size();                           // a handler may have fed more
    while (pos_ < size && kLengthOf[buf_[pos_]] == 0) ++pos_;  // bytes before a start are dropped
    if (pos_ == size) return;
    const uint8_t start = buf_[pos_];
    if (judge(pos_, static_cast<GroupKind>(start), kLengthOf[start]) == Step::Waiting) return;
  }
}

GroupFramer::Step GroupFramer::judge(size_t at, GroupKind kind, size_t length) {
  if (buf_.size() - at < length) {
    wanted_ = at + length;
    return Step::Waiting;
  }
  if (!checksumOk(at, length)) {
    if (wrongEnds_.size() == kMaxWrongEnds) wrongEnds_.erase(wrongEnds_.begin());
    wrongEnds_.push_back(base_ + at + length);
    pos_ = at + 1;
    report(at, kind, length, false);
    return Step::Reported;
  }
  if (const size_t other = yieldingTo(at, length); other != 0) {
    const size_t otherLength = kLengthOf[buf_[other]];
    if (buf_.size() - other < otherLength) {
      wanted_ = other + otherLength;
      return Step::Waiting;
    }
    if (checksumOk(other, otherLength)) {
      wrongEnds_.clear();
      pos_ = other;
      return Step::Yielded;
    }
  }
  wrongEnds_.clear();
  pos_ = at + length;
  report(at, kind, length, true);
  return Step::Reported;
}

bool GroupFramer::checksumOk(size_t at, size_t length) const {
  const std::span<const uint8_t> group(buf_.data() + at, length);
  return groupChecksum(group.first(length - 1)) == group.back();
}

// The position where a wrong candidate would have ended and another group
// starts, inside the candidate [at, at + length); 0 when there is none.
size_t GroupFramer::yieldingTo(size_t at, size_t length) const {
  size_t first = 0;
  for (const uint64_t end : wrongEnds_) {
    if (end <= base_ + at || end >= base_ + at + length) continue;
    const auto inBuffer = static_cast<size_t>(end - base_);
    if (kLengthOf[buf_[inBuffer]] != 0 && (first == 0 || inBuffer < first)) first = inBuffer;
  }
  return first;
}

void GroupFramer::report(size_t at, GroupKind kind, size_t length, bool ok) {
  if (!onCandidate_) return;
  onCandidate_(
      Candidate{kind, std::span<const uint8_t>(buf_.data() + at + 1, length - 1), ok, base_ + at});
}

void GroupFramer::compact() {
  if (pos_ == 0) return;
  buf_.erase(buf_.begin(), buf_.begin() + static_cast<std::ptrdiff_t>(pos_));
  base_ += pos_;
  wanted_ -= std::min(wanted_, pos_);
  pos_ = 0;
}

}  // namespace tavik
