#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "station/port_listener.h"

namespace tavik {

class SerialPort;

// Cuts one kind of packet out of the received stream: a packet begins with the
// start string and is `size` bytes long (or, without a size, ends with the stop
// string). Bytes before a start string are dropped; a buffer that reaches the
// maximum size without completing a packet is emptied.
class PacketDetector : public PortListener {
 public:
  using PacketHandler = std::function<void(std::span<const uint8_t> packet)>;

  PacketDetector() = default;
  ~PacketDetector() override;
  PacketDetector(const PacketDetector&) = delete;
  PacketDetector& operator=(const PacketDetector&) = delete;

  // Listens to `port` (nullptr: to none); unregisters from the previous port.
  void setPort(SerialPort* port);
  SerialPort* port() const { return port_; }

  // Changing any of these four to a new value empties the buffer.
  void setStartString(const std::string& start);
  void setStopString(const std::string& stop);
  void setSize(int size);
  void setCaseInsensitive(bool on);
  void setIncludeStrings(bool on) { includeStrings_ = on; }
  void setPacketHandler(PacketHandler handler) { onPacket_ = std::move(handler); }

  const std::string& startString() const { return start_; }
  const std::string& stopString() const { return stop_; }
  int size() const { return size_; }
  bool includeStrings() const { return includeStrings_; }
  bool caseInsensitive() const { return caseInsensitive_; }
  static constexpr size_t maxBufferSize() { return kMaxBufferSize; }

  void receiveChunk(std::span<const uint8_t> chunk) override;
  void portDestroyed() override { port_ = nullptr; }

  // Bytes received and not yet delivered or dropped.
  const std::string& buffer() const;
  bool inPacket() const { return inPacket_; }

 private:
  static constexpr size_t kMaxBufferSize = 1024;

  void frame();
  bool findStart();
  bool takePacket();
  size_t pending() const { return buf_.size() - head_; }
  void emptyBuffer();
  void compact() const;

  SerialPort* port_ = nullptr;
  std::string start_;
  std::string stop_;
  int size_ = 0;
  bool includeStrings_ = false;
  bool caseInsensitive_ = true;
  PacketHandler onPacket_;

  // The buffer is buf_ from head_ on; consumed bytes at the front are removed
  // in one go per chunk instead of once per packet.
  mutable std::string buf_;
  mutable size_t head_ = 0;
  // Pending bytes from head_ already searched in vain for a start string.
  size_t searched_ = 0;
  bool inPacket_ = false;
  // Bumped whenever the buffer is emptied, so that framing notices a handler
  // that changed the detector's settings.
  unsigned generation_ = 0;
  std::vector<uint8_t> packet_;
};

}  // namespace tavik
