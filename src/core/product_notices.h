// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <set>
#include <string>

#include "common/notifier.h"

namespace tavik {

// Passes the failures of the product writes on to another notifier, each
// once: a timed write that fails the way it failed before, with no success
// of its product between, says nothing again, so that a file refused every
// minute neither fills the journal nor keeps opening message boxes. A new
// reason is told at once. The first success of a product after failures is
// noted once on `log` ("Wieder geschrieben: Wetterlog"). Messages outside a
// write pass on unchanged.
class ProductNotices final : public Notifier {
 public:
  ProductNotices(Notifier& target, std::ostream& log) : target_(target), log_(log) {}

  // Runs one write of `product` (its name in the note of its recovery).
  // `write` returns false when it had nothing to do this time, which is no
  // success. With `tellRepeats` (a command of the user) every failure is
  // told, also one told before.
  void run(const std::string& product, bool tellRepeats, const std::function<bool()>& write);

  void notify(const std::string& text, const std::string& caption,
              MessageButtons buttons = MessageButtons::OkCancel) override;

 private:
  Notifier& target_;
  std::ostream& log_;
  // Per product, the failures ("caption\ntext") told since its last success.
  std::map<std::string, std::set<std::string>> told_;
  std::set<std::string>* running_ = nullptr;  // the product of the write running now
  bool tellRepeats_ = false;
  bool failed_ = false;
};

}  // namespace tavik
