#include "station/packet_detector.h"

#include <algorithm>
#include <cstring>

#include "station/serial_port.h"

namespace tavik {
namespace {

char foldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool isAsciiLetter(char c) { return foldCase(c) >= 'A' && foldCase(c) <= 'Z'; }

// Position of byte c in hay[from, to), or npos. Chunks of a byte or two are
// the common case on the line, where a library call costs more than the loop.
size_t findByte(const std::string& hay, size_t from, size_t to, char c) {
  constexpr size_t kShort = 32;
  if (to - from >= kShort) {
    const void* hit = std::memchr(hay.data() + from, c, to - from);
    return hit ? static_cast<size_t>(static_cast<const char*>(hit) - hay.data())
               : std::string::npos;
  }
  for (size_t i = from; i < to; ++i) {
    if (hay[i] == c) return i;
  }
  return std::string::npos;
}

// First position >= from at which `needle` occurs in `hay`, or npos.
size_t findString(const std::string& hay, size_t from, const std::string& needle, bool fold) {
  const size_t n = needle.size();
  if (n == 0) return from <= hay.size() ? from : std::string::npos;
  if (hay.size() < n) return std::string::npos;
  const char first = needle[0];
  const bool firstFolds = fold && isAsciiLetter(first);
  const size_t last = hay.size() - n;  // last position a match can start at
  for (size_t i = from; i <= last; ++i) {
    if (firstFolds) {
      if (foldCase(hay[i]) != foldCase(first)) continue;
    } else {
      i = findByte(hay, i, last + 1, first);
      if (i == std::string::npos) return std::string::npos;
    }
    bool match = true;
    for (size_t j = 1; j < n && match; ++j) {
      match = fold ? foldCase(hay[i + j]) == foldCase(needle[j]) : hay[i + j] == needle[j];
    }
    if (match) return i;
  }
  return std::string::npos;
}

}  // namespace

PacketDetector::~PacketDetector() {
  if (port_ != nullptr) port_->unregisterListener(this);
}

void PacketDetector::setPort(SerialPort* port) {
  if (port == port_) return;
  if (port_ != nullptr) port_->unregisterListener(this);
  port_ = nullptr;
  if (port != nullptr) port->registerListener(this);
  port_ = port;
}

void PacketDetector::setStartString(const std::string& start) {
  if (start == start_) return;
  start_ = start;
  emptyBuffer();
}

void PacketDetector::setStopString(const std::string& stop) {
  if (stop == stop_) return;
  stop_ = stop;
  emptyBuffer();
}

void PacketDetector::setSize(int size) {
  if (size == size_) return;
  size_ = size;
  emptyBuffer();
}

void PacketDetector::setCaseInsensitive(bool on) {
  if (on == caseInsensitive_) return;
  caseInsensitive_ = on;
  emptyBuffer();
}

void PacketDetector::receiveChunk(std::span<const uint8_t> chunk) {
  if (size_ <= 0 && stop_.empty()) {
    // Nothing to frame by: every chunk is a packet of its own.
    if (onPacket_) onPacket_(chunk);
    return;
  }
  buf_.append(reinterpret_cast<const char*>(chunk.data()), chunk.size());
  frame();
  if (pending() >= kMaxBufferSize) emptyBuffer();
  compact();
}

const std::string& PacketDetector::buffer() const {
  compact();
  return buf_;
}

void PacketDetector::frame() {
  while (inPacket_ || findStart()) {
    if (!takePacket()) return;
  }
}

bool PacketDetector::findStart() {
  const size_t at = findString(buf_, head_ + searched_, start_, caseInsensitive_);
  if (at == std::string::npos) {
    // A later start can still begin in the last start_.size() - 1 bytes.
    const size_t keep = std::min(pending(), start_.empty() ? 0 : start_.size() - 1);
    searched_ = pending() - keep;
    return false;
  }
  head_ = at;  // the bytes before the start are dropped
  searched_ = 0;
  inPacket_ = true;
  return true;
}

bool PacketDetector::takePacket() {
  size_t length = 0;
  size_t bodyEnd = 0;
  if (size_ > 0) {
    if (pending() < static_cast<size_t>(size_)) return false;
    length = bodyEnd = static_cast<size_t>(size_);
  } else {
    const size_t stopAt = findString(buf_, head_ + start_.size(), stop_, caseInsensitive_);
    if (stopAt == std::string::npos) return false;
    length = stopAt + stop_.size() - head_;
    bodyEnd = includeStrings_ ? length : stopAt - head_;
  }
  const size_t bodyBegin = includeStrings_ ? 0 : std::min(start_.size(), bodyEnd);
  const auto* first = reinterpret_cast<const uint8_t*>(buf_.data() + head_);
  packet_.assign(first + bodyBegin, first + bodyEnd);
  head_ += length;
  searched_ = 0;
  inPacket_ = false;
  if (onPacket_) {
    const unsigned generation = generation_;
    onPacket_(packet_);
    // The handler emptied the buffer (a new start string, say): stop framing.
    if (generation != generation_) return false;
  }
  return true;
}

void PacketDetector::emptyBuffer() {
  // Nobody takes the discarded bytes; they are dropped.
  buf_.clear();
  head_ = 0;
  searched_ = 0;
  inPacket_ = false;
  ++generation_;
}

void PacketDetector::compact() const {
  if (head_ == 0) return;
  buf_.erase(0, head_);
  head_ = 0;
}

}  // namespace tavik
