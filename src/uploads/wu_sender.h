// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QNetworkAccessManager>
#include <QPointer>

#include <string>

#include "uploads/upload_sender.h"

class QNetworkReply;

namespace tavik {

// What an upload to Weather Underground needs from the settings.
struct WuTarget {
  std::string server;  // the upload address, without a query
  std::string stationId;
  std::string keyFile;
};

// Sends one GET per upload and takes the answer "success" as success.
class WuSender final : public UploadSender {
 public:
  WuSender() = default;
  ~WuSender() override;
  void setTarget(const WuTarget& target) { target_ = target; }
  void send(const UploadRecord& record, Done done) override;
  void cancel() override;

 private:
  void answered(QNetworkReply* reply, const std::string& key);

  WuTarget target_;
  QNetworkAccessManager network_;
  QPointer<QNetworkReply> reply_;
  Done done_;
};

}  // namespace tavik
