// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

#include "station/port_listener.h"
#include "ui/hex_dump.h"

namespace tavik {

class SerialPort;

// The bytes received on the serial port as a hex dump in a fixed-pitch font,
// the latest maxLines lines kept; the line being filled grows in place.
class HexPane : public QPlainTextEdit, public PortListener {
  Q_OBJECT

 public:
  static constexpr int maxLines = 5'000;

  explicit HexPane(QWidget* parent = nullptr);
  ~HexPane() override;

  // Listens to the port from now on (nullptr: to none).
  void setPort(SerialPort* port);
  void receiveChunk(std::span<const uint8_t> chunk) override;
  void portDestroyed() override { port_ = nullptr; }

  // Bytes received so far.
  uint64_t total() const { return dump_.total(); }

 signals:
  void received(qulonglong total);

 private:
  SerialPort* port_ = nullptr;
  HexDump dump_;
};

}  // namespace tavik
