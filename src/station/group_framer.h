// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "station/decoders.h"

namespace tavik {

// Cuts the station's byte stream into data groups of all five kinds at once.
// A group begins with its group byte and has its kind's fixed length; its last
// byte is the checksum. Framing walks the stream from start byte to start
// byte:
// - a candidate whose checksum is right is a group and claims its bytes: no
//   candidate that starts inside it is looked at;
// - a candidate whose checksum is wrong is reported as such, and framing goes
//   on at the next start byte after its first byte, so that a genuine group
//   starting inside a false one is not lost.
// A candidate whose checksum is right by chance but that starts inside a
// wrong one and runs over the place where that wrong one would end gives way
// to a right group starting at that place: a group whose checksum was
// damaged on the line is then followed by the next group as sent.
// Bytes that belong to no candidate are dropped at once.
class GroupFramer {
 public:
  struct Candidate {
    GroupKind kind;
    std::span<const uint8_t> body;  // the bytes after the group byte, checksum last
    bool checksumOk;
    uint64_t offset;  // of the group byte, counted from the first byte fed
  };
  using Handler = std::function<void(const Candidate&)>;

  void setHandler(Handler handler) { onCandidate_ = std::move(handler); }

  // Frames the chunk and reports every candidate it completes, in stream
  // order. A handler that feeds more bytes while it runs has them framed
  // after it returns.
  void feed(std::span<const uint8_t> chunk);

  // Bytes kept because a candidate that starts with them is not complete yet.
  size_t pendingBytes() const { return buf_.size() - pos_; }

 private:
  // What became of the candidate at pos_: reported, waiting for more bytes,
  // or given way to a group at a later position.
  enum class Step { Reported, Waiting, Yielded };

  void frame();
  Step judge(size_t at, GroupKind kind, size_t length);
  bool checksumOk(size_t at, size_t length) const;
  size_t yieldingTo(size_t at, size_t length) const;
  void report(size_t at, GroupKind kind, size_t length, bool ok);
  void compact();

  Handler onCandidate_;
  std::vector<uint8_t> buf_;
  size_t pos_ = 0;     // where framing goes on in buf_
  size_t wanted_ = 0;  // the size buf_ needs before a waiting candidate can be judged
  uint64_t base_ = 0;  // stream offset of buf_[0]
  bool framing_ = false;
  // Stream offsets where wrong candidates since the last group would have
  // ended, the oldest first.
  std::vector<uint64_t> wrongEnds_;
};

}  // namespace tavik
