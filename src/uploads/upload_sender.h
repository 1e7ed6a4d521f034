// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "uploads/upload_schedule.h"
#include "uploads/upload_values.h"

namespace tavik {

// One network's way of sending the values: a connection per upload, on the
// event loop, never blocking it.
class UploadSender {
 public:
  using Done = std::function<void(const UploadReport&)>;
  virtual ~UploadSender() = default;
  // Starts one upload; `done` is called once when it ends, unless cancel()
  // comes first.
  virtual void send(const UploadValues& values, Done done) = 0;
  // Drops the upload in flight, if any, without calling its `done`.
  virtual void cancel() = 0;
};

}  // namespace tavik
