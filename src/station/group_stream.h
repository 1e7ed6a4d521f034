// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "station/decoders.h"
#include "station/group_framer.h"
#include "station/port_listener.h"

namespace tavik {

class SerialPort;

// The station's byte stream framed into groups of the five kinds, each group
// decoded into one StationData. Groups come out in stream order.
class GroupStream : public PortListener {
 public:
  using GroupHandler = std::function<void(GroupKind kind, bool checksumOk)>;

  explicit GroupStream(StationData& data);
  ~GroupStream() override;
  GroupStream(const GroupStream&) = delete;
  GroupStream& operator=(const GroupStream&) = delete;

  // Called after every decoded group, good or bad.
  void setGroupHandler(GroupHandler handler) { onGroup_ = std::move(handler); }

  void feed(std::span<const uint8_t> chunk) { framer_.feed(chunk); }
  // Listens to the port (registered as one listener).
  void attach(SerialPort& port);

  // Bytes of a group that has begun and is not complete yet.
  size_t pendingBytes() const { return framer_.pendingBytes(); }

  void receiveChunk(std::span<const uint8_t> chunk) override { feed(chunk); }
  void portDestroyed() override { port_ = nullptr; }

 private:
  StationData& data_;
  GroupHandler onGroup_;
  GroupFramer framer_;
  SerialPort* port_ = nullptr;
};

}  // namespace tavik
