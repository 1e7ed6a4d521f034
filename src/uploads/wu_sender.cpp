// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/wu_sender.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include "common/text_file.h"
#include "common/version.h"
#include "uploads/network_text.h"
#include "uploads/wunderground.h"

namespace tavik {

WuSender::~WuSender() { cancel(); }

void WuSender::send(const UploadRecord& record, Done done) {
  cancel();
  done_ = std::move(done);
  const Outcome<std::string> key = readSecretLine(target_.keyFile, "WU-Schlüsseldatei");
  if (!key.ok()) {
    QMetaObject::invokeMethod(
        &network_,
        [this, error = key.error] {
          if (const Done d = std::exchange(done_, nullptr)) d({false, error});
        },
        Qt::QueuedConnection);
    return;
  }
  const std::string query = wundergroundQuery(
      wundergroundParameters(target_.stationId, *key.value, record, programVersion));
  QUrl url(QString::fromStdString(target_.server));
  url.setQuery(QString::fromStdString(query), QUrl::StrictMode);
  QNetworkRequest request(url);
  request.setHeader(QNetworkRequest::UserAgentHeader,
                    QString::fromStdString("Tavik/" + std::string(programVersion)));
  QNetworkReply* reply = network_.get(request);
  reply_ = reply;
  QObject::connect(reply, &QNetworkReply::finished,
                   [this, reply, secret = *key.value] { answered(reply, secret); });
}

void WuSender::cancel() {
  done_ = nullptr;
  if (QNetworkReply* reply = reply_.data()) {
    reply_.clear();
    reply->disconnect();
    reply->abort();
    reply->deleteLater();
  }
}

void WuSender::answered(QNetworkReply* reply, const std::string& key) {
  reply->deleteLater();
  if (reply != reply_.data()) return;
  reply_.clear();
  const Done done = std::exchange(done_, nullptr);
  if (!done) return;
  const std::string body = withoutSecret(printableText(reply->readAll().toStdString()), key);
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (reply->error() != QNetworkReply::NoError && !status.isValid()) {
    done({false,
          withoutSecret(replyErrorText(reply->error(), reply->errorString().toStdString()), key)});
    return;
  }
  const int code = status.toInt();
  if (code < 200 || code > 299) {
    done({false, "HTTP " + std::to_string(code) + (body.empty() ? "" : ": " + body)});
    return;
  }
  if (!wundergroundSuccess(body)) {
    done({false, body.empty() ? std::string("leere Antwort des Servers") : body});
    return;
  }
  done({true, body});
}

}  // namespace tavik
