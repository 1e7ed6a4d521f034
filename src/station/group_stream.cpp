#include "station/group_stream.h"

#include <string>

namespace tavik {

GroupStream::GroupStream(StationData& data) : data_(data) {
  for (GroupKind kind : kGroupKinds) {
    PacketDetector& d = detector(kind);
    d.setSize(groupLength(kind));
    d.setStartString(std::string(1, static_cast<char>(kind)));
    d.setPacketHandler([this, kind](std::span<const uint8_t> group) {
      const bool ok = DecodeGroup(kind, group, data_);
      if (onGroup_) onGroup_(kind, ok);
    });
  }
}

void GroupStream::feed(std::span<const uint8_t> chunk) {
  for (PacketDetector& d : detectors_) d.receiveChunk(chunk);
}

void GroupStream::attach(SerialPort& port) {
  for (PacketDetector& d : detectors_) d.setPort(&port);
}

}  // namespace tavik
