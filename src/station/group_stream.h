#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "station/decoders.h"
#include "station/packet_detector.h"

namespace tavik {

class SerialPort;

// The five packet detectors, one per group kind, each wired to its decoder
// over one StationData. Every chunk goes to the detectors in the order 8F,
// 9F, AF, BF, CF, so within one chunk the groups are decoded kind by kind.
class GroupStream {
 public:
  using GroupHandler = std::function<void(GroupKind kind, bool checksumOk)>;

  explicit GroupStream(StationData& data);
  GroupStream(const GroupStream&) = delete;
  GroupStream& operator=(const GroupStream&) = delete;

  // Called after every decoded group, good or bad.
  void setGroupHandler(GroupHandler handler) { onGroup_ = std::move(handler); }

  void feed(std::span<const uint8_t> chunk);
  // Registers the five detectors with the port, in kind order.
  void attach(SerialPort& port);

  PacketDetector& detector(GroupKind kind) { return detectors_[groupIndex(kind)]; }
  const PacketDetector& detector(GroupKind kind) const { return detectors_[groupIndex(kind)]; }

 private:
  StationData& data_;
  GroupHandler onGroup_;
  std::array<PacketDetector, 5> detectors_;
};

}  // namespace tavik
