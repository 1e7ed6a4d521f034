// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "uploads/upload_schedule.h"
#include "values/published_values.h"

namespace tavik {

// What one upload sends: the record's published values, with the rain of the
// last hour, the last 24 hours and today from the rain ledger; the moment of
// the record's last good group in seconds since 1970 UTC; and whether the
// rain counts are millimetres of a normal gauge (NormalRegen).
struct UploadRecord {
  PublishedValues values;
  long long observedUtc = 0;
  bool normalGauge = true;
};

// One network's way of sending the values: a connection per upload, on the
// event loop, never blocking it.
class UploadSender {
 public:
  using Done = std::function<void(const UploadReport&)>;
  virtual ~UploadSender() = default;
  // Starts one upload; `done` is called once when it ends, unless cancel()
  // comes first.
  virtual void send(const UploadRecord& record, Done done) = 0;
  // Drops the upload in flight, if any, without calling its `done`.
  virtual void cancel() = 0;
};

}  // namespace tavik
