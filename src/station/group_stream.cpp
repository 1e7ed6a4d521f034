// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/group_stream.h"

#include "station/serial_port.h"

namespace tavik {

GroupStream::GroupStream(StationData& data) : data_(data) {
  framer_.setHandler([this](const GroupFramer::Candidate& c) {
    const bool ok = decodeGroup(c.kind, c.body, data_);
    if (onGroup_) onGroup_(c.kind, ok);
  });
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

}  // namespace tavik
