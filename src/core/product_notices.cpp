// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/product_notices.h"

namespace tavik {

void ProductNotices::run(const std::string& product, bool tellRepeats,
                         const std::function<bool()>& write) {
  std::set<std::string>& told = told_[product];
  running_ = &told;
  tellRepeats_ = tellRepeats;
  failed_ = false;
  const bool attempted = write();
  running_ = nullptr;
  if (!attempted || failed_ || told.empty()) return;
  told.clear();
  log_ << "Wieder geschrieben: " << product << '\n';
  log_.flush();
}

void ProductNotices::notify(const std::string& text, const std::string& caption,
                            MessageButtons buttons) {
  if (running_ != nullptr) {
    failed_ = true;
    if (!running_->insert(caption + '\n' + text).second && !tellRepeats_) return;
  }
  target_.notify(text, caption, buttons);
}

}  // namespace tavik
